// SelectFontDialog: the code pages of the opened code-page file, a preview
// of the fonts of one of them, and Apply copying the ticked fonts over the
// BIOS's tables.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "formats/code_page_file.h"
#include "ui/monochrome_bitmap.h"

namespace quarzel::app {

// Runs the dialog modally over `file`, owned by the main window, with
// `title` as its caption. Whether Apply or Cancel closed it, the caller
// goes on the same way.
void runSelectFontDialog(const std::string& title, const CodePageFile& file);

// The open dialog's preview: the code page it draws, which Apply copies,
// its picture and the dialog's context it is drawn through. All are made
// anew each time the dialog opens.
struct CodePagePreviewState {
  std::uint16_t codePage = 0;
  MonochromeBitmap picture;
  HDC dc = nullptr;
};
const CodePagePreviewState& codePagePreviewState();

}  // namespace quarzel::app
