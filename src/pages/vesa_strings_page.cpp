// VesaStringsPage: the four OEM strings of the VESA BIOS Extension.
#include <iterator>
#include <string>

#include "analysis/pci_vesa/vesa_edits.h"
#include "ui/app_state.h"
#include "ui/window_helpers.h"
#include "pages/analysis_refresh.h"
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
bool showStringInDump(int id) {
  for (std::size_t i = 0; i < kVesaStringCount; ++i) {
    if (kVesaControls[i].offset != id) continue;
    const VesaString& string = state().Layout.vesa[i];
    showItemInDump(string.address, string.maxLength);
    return true;
  }
  return false;
}

bool isStringEdit(int id) {
  for (const VesaControls& ids : kVesaControls)
    if (ids.text == id) return true;
  return false;
}

// Apply writes the strings in this order; Restore reads them back in the
// reverse one.
constexpr VesaIndex kApplyOrder[] = {ProductName, ProductRevision, VendorName, VendorInfo};

// The max lengths stay those found by the pass: a shorter text leaves the
// rest of the field blank, so a string never moves or grows.
void applyStrings(HWND page) {
  AppState& s = state();
  const BusyGuard busy;
  enable(page, IDC_APPLY, false);
  for (const VesaIndex index : kApplyOrder) {
    const VesaString& string = s.Layout.vesa[index];
    if (!string.address) continue;
    // An empty string's edit has no limit; its text is read whole and the
    // string keeps only its zero byte.
    const int chars = string.maxLength ? static_cast<int>(string.maxLength) : -1;
    // The page says nothing of a refusal.
    ignoreRefusal(applyVesaString(s.BiosImage, string, getAnsiText(page, kVesaControls[index].text, chars)));
  }
  imageChanged();
}

void restoreStrings(HWND page) {
  const BusyGuard busy;
  enable(page, IDC_APPLY, false);
  for (auto index = std::rbegin(kApplyOrder); index != std::rend(kApplyOrder); ++index)
    if (state().Layout.vesa[*index].address) showString(page, *index);
}

bool command(HWND page, int id, int notification) {
  const bool loaded = state().imageLoaded;
  if (isStringEdit(id)) {
    // Text set by code arrives under the busy guard and changes nothing.
    if (notification == EN_UPDATE && userEdit()) enable(page, IDC_APPLY, true);
    return true;
  }
  switch (id) {
    case IDC_APPLY:
      if (loaded) applyStrings(page);
      return true;
    case IDC_RESTORE:
      if (loaded) restoreStrings(page);
      return true;
    default: return showStringInDump(id);
  }
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
  return command(page, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
}

}  // namespace quarzel::app
