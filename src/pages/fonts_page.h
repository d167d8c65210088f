// Fonts page state shared with the font file and code-page commands: the
// size the page works on, and the size display that re-renders the sheet.
#pragma once

#include <windows.h>

#include "formats/font_table.h"
#include "ui/monochrome_bitmap.h"

namespace quarzel::app {

// What the Fonts page keeps while it lives: the size it works on, its sheet
// of 256 glyphs, and the drawing context it paints through while shown.
struct FontsPageState {
  FontSize size = Font8x8;
  MonochromeBitmap sheet;
  HDC dc = nullptr;
};
const FontsPageState& fontsPageState();

FontSize currentFontSize();
// Sets the size, renders its sheet, sets the Load/Save captions and both
// offset buttons, and redraws the sheet.
void showFontSize(FontSize size);

}  // namespace quarzel::app
