// StringsPage: the two sign-on strings and the BIOS date, edited in place.
#include <string>
#include <utility>

#include "analysis/strings/bios_date.h"
#include "analysis/strings/boot_string.h"
#include "analysis/strings/string_edits.h"
#include "ui/app_state.h"
#include "ui/window_helpers.h"
#include "formats/text_format.h"
#include "pages/analysis_refresh.h"
#include "pages/boot_screen_window.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

HWND stringsPage() { return pageWindow(StringsTab); }

struct StringControls {
  int text, length, max, offset;
};
constexpr StringControls kString1{IDC_STRING1_TEXT, IDC_STRING1_LENGTH, IDC_STRING1_MAX, IDC_STRING1_OFFSET};
constexpr StringControls kString2{IDC_STRING2_TEXT, IDC_STRING2_LENGTH, IDC_STRING2_MAX, IDC_STRING2_OFFSET};

void setNumber(HWND page, int id, unsigned value) { setText(page, id, std::to_string(value)); }

void showString(HWND page, const BootString& string, const StringControls& ids) {
  const std::string text = fieldText(state().BiosImage, string);
  setLimitedText(page, ids.text, text, string.maxLength);
  setNumber(page, ids.length, static_cast<unsigned>(text.size()));
}

constexpr int kDateChars = static_cast<int>(kBiosDateLength);

void showDate(HWND page, const BiosDate& date) { setLimitedText(page, IDC_DATE, date.text.data(), kDateChars); }

void initStringsPage(HWND page) {
  for (const int id : {IDC_STRING1_TEXT, IDC_STRING2_TEXT, IDC_DATE})
    SendDlgItemMessageA(page, id, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
}

// Typing shows the new length at once; text set by code does nothing.
void textChanged(HWND page, int id) {
  if (!userEdit()) return;
  if (id == IDC_STRING1_TEXT || id == IDC_STRING2_TEXT) {
    const int length = GetWindowTextLengthA(GetDlgItem(page, id));
    setNumber(page, id == IDC_STRING1_TEXT ? IDC_STRING1_LENGTH : IDC_STRING2_LENGTH, static_cast<unsigned>(length));
  } else if (id != IDC_DATE) {
    return;
  }
  enable(page, IDC_APPLY, true);
}

void showOffset(int button) {
  const BiosLayout& layout = state().Layout;
  if (button == IDC_STRING1_OFFSET)
    showItemInDump(layout.bootString1.address, layout.bootString1.maxLength);
  else if (button == IDC_STRING2_OFFSET)
    showItemInDump(layout.bootString2.address, layout.bootString2.maxLength);
  else
    showItemInDump(layout.biosDate.address, layout.biosDate.maxLength);
}

void applyStrings(HWND page) {
  AppState& s = state();
  const BusyGuard busy;
  enable(page, IDC_APPLY, false);
  BiosLayout& layout = s.Layout;
  // Items not found are left alone: their edits only ever hold the reset text.
  // The edits hold no more than each item takes, so nothing is refused that
  // the page would have to explain.
  if (layout.bootString1.address) {
    ignoreRefusal(applyBootString(s.BiosImage, layout.bootString1, getAnsiText(page, IDC_STRING1_TEXT)));
    followSignOn(s.BiosImage.text(*layout.bootString1.address));
  }
  if (layout.bootString2.address)
    ignoreRefusal(applyBootString(s.BiosImage, layout.bootString2, getAnsiText(page, IDC_STRING2_TEXT)));
  if (layout.biosDate.address)
    ignoreRefusal(applyBiosDate(s.BiosImage, layout.biosDate, getAnsiText(page, IDC_DATE, kDateChars)));
  imageChanged();
}

void restoreStrings(HWND page) {
  AppState& s = state();
  const BusyGuard busy;
  enable(page, IDC_APPLY, false);
  BiosLayout& layout = s.Layout;
  if (layout.bootString1.address) showString(page, layout.bootString1, kString1);
  if (layout.bootString2.address) showString(page, layout.bootString2, kString2);
  if (layout.biosDate.address) {
    readBiosDate(s.BiosImage, layout.biosDate);
    showDate(page, layout.biosDate);
  }
}

void fillString(HWND page, const BootString& string, const StringControls& ids) {
  if (!string.address) return;
  setOffsetCaption(page, ids.offset, *string.address);
  setLimitedText(page, ids.text, fieldText(state().BiosImage, string), string.maxLength);
  setNumber(page, ids.max, string.maxLength);
  setNumber(page, ids.length, static_cast<unsigned>(string.length));
}

// Strings the BIOS keeps but does not print are shown and edited, with a
// note that the card will not show them.
void showPrintedNote(HWND page, const BiosLayout& layout) {
  std::string note;
  for (const auto& [name, string] : {std::pair{"String 1", &layout.bootString1}, std::pair{"String 2", &layout.bootString2}})
    if (string->address && !string->printed) note += std::string(name) + ": " + kNotPrintedNote + ".\n";
  setText(page, IDC_STRINGS_NOTE, note);
}

void clearString(HWND page, const StringControls& ids) {
  setText(page, ids.text, "");
  setText(page, ids.offset, "0");
  setText(page, ids.length, "0");
  setText(page, ids.max, "0");
}

}  // namespace

void resetStringsPage() {
  HWND page = stringsPage();
  for (const StringControls& ids : {kString1, kString2}) clearString(page, ids);
  // A new image without a date must not show the previous image's date.
  setText(page, IDC_DATE, "");
  setText(page, IDC_DATE_OFFSET, "0");
  setText(page, IDC_STRINGS_NOTE, "");
}

void refillString1() {
  HWND page = stringsPage();
  clearString(page, kString1);
  fillString(page, state().Layout.bootString1, kString1);
}

void fillStringsPage() {
  HWND page = stringsPage();
  const BiosLayout& layout = state().Layout;
  fillString(page, layout.bootString1, kString1);
  fillString(page, layout.bootString2, kString2);
  showPrintedNote(page, layout);
  if (layout.biosDate.address) {
    showDate(page, layout.biosDate);
    setOffsetCaption(page, IDC_DATE_OFFSET, *layout.biosDate.address);
  }
}

INT_PTR CALLBACK StringsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    initStringsPage(page);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  if (HIWORD(wParam) == EN_UPDATE) {
    textChanged(page, id);
    return TRUE;
  }
  switch (id) {
    case IDC_STRING1_OFFSET:
    case IDC_STRING2_OFFSET:
    case IDC_DATE_OFFSET: showOffset(id); return TRUE;
    case IDC_APPLY:
      if (state().imageLoaded) applyStrings(page);
      return TRUE;
    case IDC_RESTORE:
      if (state().imageLoaded) restoreStrings(page);
      return TRUE;
    case IDC_BOOT_SCREEN: showBootScreen(); return TRUE;
    default: return FALSE;
  }
}

}  // namespace quarzel::app
