// Files of the command-line tool: reading a BIOS image with a plain reason
// when it cannot be used, and writing output so that a failed write never
// leaves a damaged file where a good one stood.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "formats/image.h"

namespace quarzel::cli {

struct ImageFile {
  std::optional<Image> image;
  std::string error;  // "FILE: reason" when image is empty
};

ImageFile readImageFile(const std::string& path);

// Writes a temporary file beside `path`, then renames it over `path`.
// Returns an empty string on success, else "FILE: reason".
std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quarzel::cli
