// Printing the edits of `quarzel-cli diff --as-edits`, and writing B's
// fonts for them.
#pragma once

#include <optional>
#include <string>

#include "analysis/compare/carry_over.h"

namespace quarzel::cli {

struct EditsRequest {
  std::string pathB;                      // names the font files
  std::optional<std::string> fontFolder;  // -d DIR
  bool json = false;
};

// Why an item was not carried, in words.
std::string refusalText(const NotCarried& refusal);

// The usage error for a -d folder whose path the printed --font option
// could not carry through a shell.
std::optional<std::string> unsafeFolder(const std::string& dir);

// Writes B's fonts into the folder, then prints the edit arguments on
// stdout and what was not carried on stderr, or all as one JSON object.
// Returns 0, or 2 when a font file cannot be written.
int printEdits(const EditsRequest& request, const CarryOver& edits);

}  // namespace quarzel::cli
