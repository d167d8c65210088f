// The BIOS's pointer directory: the word at 50h, just before the jump to the
// initialisation, leads to eight words that point at the OEM register
// defaults, the table the BIOS puts in the BIOS data area's save pointer
// (VideoOverrideTable, whose first far pointer is the video parameter
// table), the 8x8, 8x14 and 8x16 fonts, the 8x14 and 8x16 fix-up tables
// and string 2's count word, its text after it. No code of the BIOS reads
// it, yet every 3dfx build keeps it, just before string 1.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "formats/image.h"

namespace quarzel {

inline constexpr std::size_t kDirectoryPointer = 0x50;
inline constexpr std::size_t kDirectoryEntries = 8;
inline constexpr std::size_t kDirectoryBytes = 2 * kDirectoryEntries;

// The directory's offset and its eight words, where the word at 50h leads to
// eight words inside the image and the fonts they name follow one another
// as the BIOS lays them out (8x8, 8x14, 8x16): bytes that are no directory
// rarely do. Empty otherwise.
struct PointerDirectory {
  Offset at = 0;
  std::array<Offset, kDirectoryEntries> entries{};
};
std::optional<PointerDirectory> readPointerDirectory(const Image& image);

}  // namespace quarzel
