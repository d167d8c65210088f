// The Fonts page's picture of a font: 256 x 256 pixels, 1 bit per pixel,
// stored bottom-up as a device-independent bitmap (first 32 bytes = bottom
// row); 8 rows of 32 glyphs in character order from the top left.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "formats/font_table.h"
#include "formats/image.h"

namespace quarzel {

inline constexpr std::size_t kGlyphSheetSide = 256;
using GlyphSheet = std::array<std::uint8_t, kGlyphSheetSide * kGlyphSheetSide / 8>;

// The sheet of the font at `font`; blank when the font is not located or
// its table does not lie inside the image buffer.
GlyphSheet renderGlyphSheet(const Image& image, std::optional<Offset> font, FontSize size);

}  // namespace quarzel
