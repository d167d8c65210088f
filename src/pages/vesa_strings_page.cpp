// VesaStringsPage: the four OEM strings of the VESA BIOS Extension.
#include <string>

#include "ui/app_state.h"
#include "ui/window_helpers.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "pages/vesa_controls.h"

namespace quarzel::app {

namespace {

HWND vesaPage() { return pageWindow(VesaTab); }

void initVesaPage(HWND page) {
  for (const VesaControls& ids : kVesaControls)
    SendDlgItemMessageA(page, ids.text, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
}

// A string is rewritten in place, so its edit may not grow past the length
// found (a limit of 0, for an empty string, lifts the limit).
void showString(HWND page, VesaIndex index) {
  const AppState& s = state();
  const VesaString& string = s.Layout.vesa[index];
  setLimitedText(page, kVesaControls[index].text, s.BiosImage.text(*string.address), string.maxLength);
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

void resetVesaPage() {
  HWND page = vesaPage();
  for (const VesaControls& ids : kVesaControls) {
    setText(page, ids.text, " ");
    setText(page, ids.offset, "0");
    setText(page, ids.maxLength, "0");
  }
}

void fillVesaPage() {
  HWND page = vesaPage();
  for (std::size_t i = 0; i < kVesaStringCount; ++i) {
    const VesaString& string = state().Layout.vesa[i];
    if (!string.address) continue;
    const VesaControls& ids = kVesaControls[i];
    setOffsetCaption(page, ids.offset, *string.address);
    setText(page, ids.maxLength, std::to_string(string.maxLength));
    showString(page, static_cast<VesaIndex>(i));
  }
}

INT_PTR CALLBACK VesaStringsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    initVesaPage(page);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  return showStringInDump(page, LOWORD(wParam)) ? TRUE : FALSE;
}

}  // namespace quarzel::app
