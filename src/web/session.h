// The page's one open ROM: the file as it was opened, the page's edits in
// the words of `quarzel-cli edit` and the image their run made, the files
// the page was given for them, and a second ROM to compare. The exported
// functions (exports.cpp) work on it; the page keeps nothing of the image
// but what they hand back.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "edits/edit_run.h"
#include "formats/image.h"

namespace quarzel::web {

struct OtherRom {
  std::string name;
  Image image;
  BiosLayout layout;
};

struct Session {
  bool open = false;
  std::string name;
  Image opened;              // as the file holds it
  BiosLayout openedLayout;
  EditWords words;           // the page's edits
  EditRun edited;            // their run over `opened`: what a save writes
  BiosLayout layout;         // of the edited image
  std::map<std::string, std::vector<std::uint8_t>, std::less<>> files;  // fonts, code pages, pictures
  std::optional<OtherRom> other;  // the ROM to compare with
};

// Opens `file` named `name` with no edits: empty on success, else the
// message quarzel-cli gives for such a file ("big.rom: is larger than
// 65536 bytes"); a refused file leaves the session as it was.
std::string openRom(Session& session, std::string name, std::span<const std::uint8_t> file);
// The same for the ROM to compare with.
std::string openOtherRom(Session& session, std::string name, std::span<const std::uint8_t> file);

// The files the page's edits name, as quarzel-cli reads them from disk.
FileSource pageFiles(const Session& session);

// Makes the edits that `words` (edit's options and their values, as JSON)
// ask for on the image as it was opened. The run's answer is kept where it
// makes every edit; a refused plan, or words that are no plan, leave the
// session as it was. Returns the run (or the usage error as a refusal).
EditRun editRom(Session& session, std::string_view words);

// The words of the one `quarzel-cli edit` that makes the session's edits,
// from IN to OUT, texts escaped as edit reads them; the option names and
// values only, in the order edit makes them.
std::vector<std::string> editCommandWords(const Session& session);

}  // namespace quarzel::web
