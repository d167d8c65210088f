// The two searches the Fonts page offers when the code signatures found no
// font: by the glyphs themselves, and from the neighbouring font.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/font_table.h"

namespace quarzel {

// Looks for a blank character 0 followed by the face glyph of character 1;
// the first match becomes the font of that size.
bool glyphSearch(const Image& image, BiosLayout& layout, FontSize size);

// Takes the font from its neighbour, assuming the usual order 8x8, 8x14,
// 8x16, each directly after the previous one.
bool neighbourSearch(const Image& image, BiosLayout& layout, FontSize size);

}  // namespace quarzel
