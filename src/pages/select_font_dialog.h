// SelectFontDialog: the code pages of the opened code-page file, a preview
// of the fonts of one of them, and Apply copying the ticked fonts over the
// BIOS's tables.
#pragma once

#include <string>

namespace quarzel::app {

// Runs the dialog modally over CodePageFile, owned by the main window, with
// `title` as its caption. Whether Apply or Cancel closed it, the caller
// goes on the same way.
void runSelectFontDialog(const std::string& title);

}  // namespace quarzel::app
