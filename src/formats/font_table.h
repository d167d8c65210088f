// Font table layout shared by the BIOS, font files and code-page files:
// 256 glyphs in character order, h bytes each, top row first, bit 7 the
// leftmost pixel.
#pragma once

#include <array>
#include <cstddef>

namespace quarzel {

enum FontSize : int { Font8x8 = 0, Font8x14 = 1, Font8x16 = 2 };
inline constexpr std::size_t kFontSizeCount = 3;
inline constexpr FontSize kFontSizes[kFontSizeCount] = {Font8x8, Font8x14, Font8x16};
// A choice of sizes, indexed by FontSize.
using FontSizeSet = std::array<bool, kFontSizeCount>;

constexpr std::size_t fontHeight(FontSize size) {
  return size == Font8x8 ? 8 : size == Font8x14 ? 14 : 16;
}
constexpr std::size_t fontTableBytes(FontSize size) { return 256 * fontHeight(size); }

// True when a whole table of this size at `offset` lies within the first
// `imageSize` bytes.
constexpr bool fontTableFits(std::size_t offset, FontSize size, std::size_t imageSize) {
  return offset <= imageSize && fontTableBytes(size) <= imageSize - offset;
}

// A fix-up table entry: the character code, then its glyph rows. The table
// ends at a code byte of 0.
constexpr std::size_t fixupEntryBytes(FontSize size) { return 1 + fontHeight(size); }

}  // namespace quarzel
