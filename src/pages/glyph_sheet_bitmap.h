// The Fonts page's glyph sheet as a GDI bitmap: a 256 x 256 device-independent
// section, 1 bit per pixel, background in the button-face colour so the empty
// part of the sheet blends with the page.
#pragma once

#include <windows.h>

#include "formats/glyph_sheet.h"

namespace quarzel::app {

// Creates the section once, its bits cleared; later calls keep it.
void createGlyphSheetBitmap();
// Null until created.
HBITMAP glyphSheetBitmap();
// Copies the sheet's bits into the section.
void showGlyphSheet(const GlyphSheet& sheet);
void deleteGlyphSheetBitmap();

}  // namespace quarzel::app
