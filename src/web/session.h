// The page's one open ROM: the image as the user edits it, the file as it
// was opened, what the analysis pass found, and the screen last drawn. The
// exported functions (exports.cpp) work on it; the page holds nothing of
// the image but what they hand back.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "analysis/boot_screen/boot_screen.h"
#include "formats/image.h"

namespace quarzel::web {

struct Session {
  bool open = false;
  std::string name;
  Image opened;  // as the file holds it
  Image image;   // with the page's edits
  BiosLayout layout;
  BootScreen screen;
};

// Opens `file` named `name`: empty on success, else the message the CLI
// gives for such a file ("big.rom: is larger than 65536 bytes"); a refused
// file leaves the session as it was.
std::string openFile(Session& session, std::string name, std::span<const std::uint8_t> file);

// The image as a save writes it: its bytes with the checksum byte
// corrected; or, where the ROM length byte leaves no checksum to correct,
// no bytes and the reason, in the CLI's words.
struct SavedImage {
  std::vector<std::uint8_t> bytes;
  std::string error;
};
SavedImage savedImage(const Session& session);

}  // namespace quarzel::web
