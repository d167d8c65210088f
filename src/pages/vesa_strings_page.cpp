// VesaStringsPage: the four OEM strings of the VESA BIOS Extension.
#include "ui/app_state.h"
#include "ui/window_helpers.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "pages/vesa_controls.h"

namespace quarzel::app {

namespace {

void initVesaPage(HWND page) {
  for (const VesaControls& ids : kVesaControls)
    SendDlgItemMessageA(page, ids.text, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
}

// An offset button marks the string's bytes up to its maximum length.
bool showStringInDump(HWND page, int id) {
  for (std::size_t i = 0; i < kVesaStringCount; ++i) {
    if (kVesaControls[i].offset != id) continue;
    showInDump(offsetFromCaption(page, id), static_cast<int>(state().Layout.vesa[i].maxLength));
    return true;
  }
  return false;
}

}  // namespace

INT_PTR CALLBACK VesaStringsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    initVesaPage(page);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  return showStringInDump(page, LOWORD(wParam)) ? TRUE : FALSE;
}

}  // namespace quarzel::app
