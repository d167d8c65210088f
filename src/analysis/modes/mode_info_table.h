// The BIOS's own list of its video modes: 14-byte records, ended by FFh,
// which the mode set walks to find a mode's extended record and geometry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "formats/image.h"

namespace quarzel {

inline constexpr std::size_t kModeInfoBytes = 14;
inline constexpr std::uint8_t kModeInfoEnd = 0xFF;
// BIOS mode numbers up to 13h are the IBM VGA's; above them the board's own.
inline constexpr std::uint8_t kLastVgaMode = 0x13;

struct ModeInfo {
  std::size_t offset = 0;
  std::uint8_t biosMode = 0;     // the number INT 10h function 00h takes
  std::uint8_t record = 0;       // the extended record's number
  std::uint16_t vesaMode = 0;    // the VBE number; the BIOS mode for VGA modes
  std::uint8_t memoryModel = 0;  // 0 and 1 are text modes
  std::uint8_t pages = 0;
  std::uint8_t bitsPerPixel = 0;
  std::uint16_t width = 0, height = 0;  // text modes in characters
  std::uint16_t bytesPerLine = 0;
  std::uint8_t charHeight = 0;

  bool text() const { return memoryModel <= 1; }
};

// The records from `table` up to the end mark; empty where no end mark
// stands inside the loaded image, as the BIOS's walk would run past it.
std::optional<std::vector<ModeInfo>> modeInfoRecords(const Image& image, std::size_t table);

}  // namespace quarzel
