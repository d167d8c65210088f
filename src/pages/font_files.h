// Load Font and Save Font of the Fonts page: the font of the selected size
// exchanged with a font file (.fnt), or replaced from a code-page file
// (.cpi) through Select Font.
#pragma once

#include "formats/font_table.h"
#include "ui/platform.h"

namespace quarzel::app {

// A file is read and checked whole before anything is written, so a refused
// one leaves the image as it was. After a load (and after Select Font, by
// Apply or Cancel alike) the fix-up tables follow the fonts.
FileOutcome loadFontFile(FontSize size);

// Writes the table of `size` as it stands in BiosImage. A font that is not
// located is an error before any name is asked for, and no file is made.
FileOutcome saveFontFile(FontSize size);

// The open and save dialogs start afresh, as in a new run.
void forgetFontFilePaths();

}  // namespace quarzel::app
