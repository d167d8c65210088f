// The clipboard, for the text a page copies.
#pragma once

#include <windows.h>

#include <string_view>

namespace quarzel::app {

// Puts `text` on the clipboard as CF_TEXT in place of what it held. A
// clipboard that another program keeps open is left as it was.
void copyToClipboard(HWND owner, std::string_view text);

}  // namespace quarzel::app
