#include "app/dialog_keys.h"

#include "pages/boot_screen_window.h"
#include "resources/resource.h"
#include "ui/app_state.h"

namespace quarzel::app {

namespace {

bool within(HWND window, HWND control) { return control == window || IsChild(window, control); }

// Tab leaves the page at either end for the strip, and enters it from the
// strip at the matching end. Inside, the page's own dialog moves the focus.
bool crossesPageEdge(HWND strip, HWND page, const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  const bool back = GetKeyState(VK_SHIFT) < 0;
  // Searched backwards from nothing, the system finds nothing; the item
  // before the first is the last.
  HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
  if (!first) return false;
  HWND last = GetNextDlgTabItem(page, first, TRUE);
  if (within(strip, message.hwnd) && !within(page, message.hwnd)) {
    SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(back ? last : first), TRUE);
    return true;
  }
  if (within(back ? first : last, message.hwnd)) {
    SetFocus(strip);
    return true;
  }
  return false;
}

}  // namespace

bool routeDialogKeys(MSG& message) {
  const AppState& s = state();
  // The Boot Screen window takes the keys as a dialog does: Tab and the
  // arrows among its sizes, Esc to close.
  if (HWND boot = bootScreenWindow(); boot && within(boot, message.hwnd))
    return IsDialogMessageA(boot, &message) != FALSE;
  if (!s.MainWindow || !within(s.MainWindow, message.hwnd)) return false;
  HWND strip = GetDlgItem(s.MainWindow, IDC_TABS);
  HWND page = s.pageWindows[static_cast<std::size_t>(s.currentPage)];
  if (page && crossesPageEdge(strip, page, message)) return true;
  // The page is a dialog of its own: its buttons answer to it, not to the
  // main window, whose commands are the menu's.
  if (page && within(page, message.hwnd)) return IsDialogMessageA(page, &message) != FALSE;
  return IsDialogMessageA(s.MainWindow, &message) != FALSE;
}

}  // namespace quarzel::app
