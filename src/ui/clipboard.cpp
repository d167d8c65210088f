#include "ui/clipboard.h"

#include <cstring>

namespace quarzel::app {

void copyToClipboard(HWND owner, std::string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return;
  auto* bytes = static_cast<char*>(GlobalLock(block));
  if (!bytes) {
    GlobalFree(block);
    return;
  }
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(block);
  // Once the clipboard has taken the block, it is the clipboard's to free.
  if (OpenClipboard(owner)) {
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, block)) block = nullptr;
    CloseClipboard();
  }
  if (block) GlobalFree(block);
}

}  // namespace quarzel::app
