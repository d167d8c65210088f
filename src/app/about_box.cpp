#include "app/about_box.h"

#include "ui/platform.h"
#include "ui/window_helpers.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

INT_PTR CALLBACK AboutBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    centerOnScreen(box);
    setText(box, IDC_ABOUT_EMAIL, kContactAddress);
    setText(box, IDC_ABOUT_WEB, kWebAddress);
    return TRUE;
  }
  // Only OK closes the box: it has no system menu, and Escape is not handled.
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    EndDialog(box, IDOK);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void showAboutBox(HWND owner) { platform().runModal({IDD_ABOUT}, owner, AboutBoxProc, 0); }

}  // namespace quarzel::app
