// What the sign-on code prints, read from its code: string 1 through the
// call the string locator matched, then the name printer it calls (string
// 2, the memory line and the line feeds after them), each with the
// position, count and attribute its operands give. The reading stops at the
// first step it cannot follow and says which, in words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"

namespace quarzel {

// One INT 10h call: function 13h writes `text` (at `position`, or at the
// cursor where none is given); function 0Eh writes one code at the cursor.
struct SignOnPrint {
  std::optional<std::uint16_t> position;  // DX: row, column
  std::uint8_t attribute = 0x07;
  std::vector<std::uint8_t> text;
  bool teletype = false;
  std::size_t source = 0;  // where the printed bytes lie in the image
};

// The BIOS counts the card's memory in 256 KiB blocks.
inline constexpr std::uint32_t kBlocksPerMegabyte = 4, kKilobytesPerBlock = 256;

// The memory size the BIOS works with, and whether the image fixes it
// (else it is the card's, as the caller chose it).
struct MemorySize {
  std::uint32_t blocks = 0;
  bool fromImage = false;
};

struct SignOn {
  bool found = false;  // sign-on code this program knows; prints may still be none
  std::vector<SignOnPrint> prints;
  std::optional<MemorySize> memory;  // where the code asks
  // The step of the code that could not be followed, in words; the prints
  // end there, the last one cut where its text left the ROM.
  std::vector<std::string> unread;
};

SignOn readSignOn(const Image& image, const BiosLayout& layout, std::uint32_t memoryMegabytes);

}  // namespace quarzel
