// One run of a plan of edits over an image, as `quarzel-cli edit` makes it
// and the page makes it for the same words: the texts, registers, VESA
// strings and refresh rates, then the fonts and code pages, then the logo,
// each in its order, then the checksum fix of Save BIOS As...
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "edits/edit_files.h"
#include "edits/edit_plan.h"
#include "formats/edit_result.h"
#include "formats/image.h"

namespace quarzel {

// A line for the user once every edit was made: plain, a remark of the
// program, or a warning.
struct EditNote {
  enum class Kind { Plain, Remark, Warning };
  Kind kind;
  std::string text;
};

struct EditRun {
  Image image;  // as edited, the checksum corrected; unusable when refused
  // Empty when every edit was made, else why not ("IN: --string1: ...").
  std::string refusal;
  // The core's reason, where an edit of the image refused (LogoNeedsGrowth:
  // the logo fits if the ROM may grow).
  std::optional<EditError> refusedFor;
  // One line a range written, with the edit that wrote it: edit --dry-run's
  // list.
  std::string written;
  // Said at once: the checksum byte lies past the end of the file.
  std::optional<EditNote> checksumNote;
  std::vector<EditNote> notes;
  bool ok() const { return refusal.empty(); }
};

// `plan.in` names the image in the messages.
EditRun runEdits(Image image, const EditPlan& plan, const FileSource& files);

}  // namespace quarzel
