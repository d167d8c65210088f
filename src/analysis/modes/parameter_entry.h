// An entry of the VGA video parameter table: 64 bytes that the mode set
// writes to the VGA's registers.
#pragma once

#include <cstddef>

#include "analysis/bios_layout.h"

namespace quarzel {

inline constexpr std::size_t kParameterEntryBytes = 64;

// Columns, rows - 1 and the character height, the regen length word, then
// the register groups back to back: sequencer 1 to 4, Misc Output, CRTC 0 to
// 24, attribute controller 0 to 19, graphics controller 0 to 8.
namespace entry_byte {
inline constexpr std::size_t kColumns = 0, kRowsMinus1 = 1, kCharHeight = 2, kRegenLength = 3;
inline constexpr std::size_t kSequencer = 5, kMiscOutput = 9, kCrtc = 10, kAttribute = 35, kGraphics = 55;
}  // namespace entry_byte

inline constexpr std::size_t kSequencerRegisters = 4, kCrtcRegisters = 25, kAttributeRegisters = 20,
                             kGraphicsRegisters = 9;
static_assert(entry_byte::kGraphics + kGraphicsRegisters == kParameterEntryBytes);

// The table the BIOS puts in the BIOS data area's save pointer
// (VideoOverrideTable) starts with the video parameter table's address. The
// table is found where that word and its first entry lie inside the image.
inline Location parameterTableThrough(const Image& image, std::size_t pointerTable) {
  const auto table = image.loadedWord(pointerTable);
  if (!table || !image.holds(*table, kParameterEntryBytes)) return std::nullopt;
  return table;
}

}  // namespace quarzel
