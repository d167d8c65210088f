// Fonts page state shared with the font file and code-page commands: the
// size the page works on, and the size display that re-renders the sheet.
#pragma once

#include "formats/font_table.h"

namespace quarzel::app {

FontSize currentFontSize();
// Sets the size, renders its sheet, sets the Load/Save captions and both
// offset buttons, and redraws the sheet.
void showFontSize(FontSize size);

}  // namespace quarzel::app
