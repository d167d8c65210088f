// What the Fonts page keeps, for the tests that look at its sheet and its
// drawing context.
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

}  // namespace quarzel::app
