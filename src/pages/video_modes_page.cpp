// VideoModesPage: the register set the BIOS programs for a chosen video mode,
// and the timing it makes.
#include "analysis/modes/rate_options.h"
#include "analysis/modes/refresh_edit.h"
#include "analysis/modes/video_modes.h"
#include "formats/text_format.h"
#include "pages/analysis_refresh.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"
#include "pages/pages.h"
#include "resources/resource.h"
#include "ui/error_messages.h"

namespace quarzel::app {

namespace {

HWND modesPage() { return pageWindow(ModesTab); }

// The rates the page offers for the selected mode, in the order listed.
std::vector<RateOption> offered;

// The list's rows, keeping the selected row and the scroll position.
void showHeadings(HWND page, const std::vector<std::string>& headings) {
  const LRESULT selected = SendDlgItemMessageA(page, IDC_MODES_LIST, LB_GETCURSEL, 0, 0);
  const LRESULT top = SendDlgItemMessageA(page, IDC_MODES_LIST, LB_GETTOPINDEX, 0, 0);
  SendDlgItemMessageA(page, IDC_MODES_LIST, LB_RESETCONTENT, 0, 0);
  for (const std::string& heading : headings)
    SendDlgItemMessageA(page, IDC_MODES_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(heading.c_str()));
  SendDlgItemMessageA(page, IDC_MODES_LIST, LB_SETCURSEL, static_cast<WPARAM>(selected == LB_ERR ? 0 : selected), 0);
  SendDlgItemMessageA(page, IDC_MODES_LIST, LB_SETTOPINDEX, static_cast<WPARAM>(top == LB_ERR ? 0 : top), 0);
}

// The list's own mode numbers, until a BIOS gives its own.
std::vector<std::string> listHeadings() {
  std::vector<std::string> headings;
  for (const VideoMode& mode : kVideoModes) headings.emplace_back(mode.text);
  return headings;
}

void initModesPage(HWND page) {
  SendDlgItemMessageA(page, IDC_MODES_LIST, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
  showHeadings(page, listHeadings());
  offered.clear();
  RECT size;
  GetClientRect(page, &size);
  stretchDown(page, IDC_MODES_LIST, size.bottom);
}

// Each register group fills the run of edits that starts at its first id.
template <std::size_t N>
void showGroup(HWND page, int first, const std::array<std::string, N>& texts) {
  for (std::size_t i = 0; i < N; ++i) setText(page, first + static_cast<int>(i), texts[i]);
}

void showFields(HWND page, const ModeFields& fields) {
  setText(page, IDC_MODES_COLUMNS, fields.columns);
  setText(page, IDC_MODES_ROWS, fields.rowsMinus1);
  setText(page, IDC_MODES_CHAR_HEIGHT, fields.charHeight);
  setText(page, IDC_MODES_REGEN_LENGTH, fields.regenLength);
  showGroup(page, IDC_MODES_SEQUENCER, fields.sequencer);
  setText(page, IDC_MODES_MISC_OUTPUT, fields.miscOutput);
  showGroup(page, IDC_MODES_CRTC, fields.crtc);
  showGroup(page, IDC_MODES_ATTRIBUTE, fields.attribute);
  showGroup(page, IDC_MODES_GRAPHICS, fields.graphics);
  setText(page, IDC_MODES_PIXEL_FORMAT, fields.pixelFormat);
  setText(page, IDC_MODES_CRTC1B, fields.crtc1B);
  setText(page, IDC_MODES_PARAMETER_INDEX, fields.parameterIndex);
  setText(page, IDC_MODES_CLOCK, fields.clock);
  setText(page, IDC_MODES_THIS_BIOS, fields.thisBios);
  setText(page, IDC_MODES_RECORD, fields.record);
  setText(page, IDC_MODES_ENTRY, fields.parameterEntry);
  setText(page, IDC_MODES_PIXEL_CLOCK, fields.pixelClock);
  setText(page, IDC_MODES_TOTAL, fields.total);
  setText(page, IDC_MODES_DISPLAY, fields.display);
  setText(page, IDC_MODES_LINE_RATE, fields.lineRate);
  setText(page, IDC_MODES_REFRESH, fields.refresh);
  CheckDlgButton(page, IDC_MODES_NATIVE, fields.nativeMode ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(page, IDC_MODES_INTERLACE, fields.interlace ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(page, IDC_MODES_DOUBLE_SCAN, fields.nativeDoubleScan ? BST_CHECKED : BST_UNCHECKED);
}


// The modes that the selected one's rate is written into as well.
void showModesChangedWith(HWND page, const ModeSource& source) {
  const AppState& s = state();
  std::string text;
  for (const std::uint16_t number : modesChangedWith(s.BiosImage, s.Layout, source))
    text += formatText(text.empty() ? "%03Xh" : ", %03Xh", unsigned{number});
  setText(page, IDC_MODES_CHANGED_WITH, text.empty() ? "" : "Also sets " + text + ".");
}

std::optional<std::size_t> chosenRate(HWND page) {
  const LRESULT item = SendDlgItemMessageA(page, IDC_MODES_RATES, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR || static_cast<std::size_t>(item) >= offered.size()) return std::nullopt;
  return static_cast<std::size_t>(item);
}

// The chosen rate's timing shows at once; Apply is offered only for a rate
// that changes the BIOS's own.
void rateChosen(HWND page) {
  const auto item = chosenRate(page);
  const bool other = item && offered[*item].standard;
  setText(page, IDC_MODES_RATE_TIMING, other ? rateOptionText(offered[*item]) : "");
  enable(page, IDC_APPLY, other);
}

// The BIOS's own timing, marked as such and chosen, then the standard rates
// that would change it; none for a mode that is not one of the board's own.
void showRates(HWND page, const ModeSource& source) {
  const AppState& s = state();
  offered = rateOptions(s.BiosImage, s.Layout, source);
  SendDlgItemMessageA(page, IDC_MODES_RATES, CB_RESETCONTENT, 0, 0);
  for (const RateOption& option : offered)
    SendDlgItemMessageA(page, IDC_MODES_RATES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option.label.c_str()));
  if (!offered.empty()) SendDlgItemMessageA(page, IDC_MODES_RATES, CB_SETCURSEL, 0, 0);
  enable(page, IDC_MODES_RATES, !offered.empty());
  showModesChangedWith(page, source);
  rateChosen(page);
}

std::optional<std::size_t> selectedRow(HWND page) {
  const LRESULT row = SendDlgItemMessageA(page, IDC_MODES_LIST, LB_GETCURSEL, 0, 0);
  return row == LB_ERR ? std::nullopt : std::optional(static_cast<std::size_t>(row));
}

// The chosen rate for the whole resolution of the selected mode; a refused
// one names its reason and changes nothing, and the BIOS's own is no change.
void applyRate(HWND page) {
  AppState& s = state();
  const auto row = selectedRow(page);
  const auto item = chosenRate(page);
  if (!row || !item || !offered[*item].standard) return;
  const ModeSource source = modeSource(s.BiosImage, s.Layout, *row);
  if (!source.info) return;
  const BusyGuard busy;
  const EditResult result = applyRefresh(s.BiosImage, s.Layout, {source.info->width, source.info->height}, *offered[*item].standard);
  if (result.error) {
    showError(page, refusalMessage(Task::RefreshRate, *result.error).c_str());
    return;
  }
  imageChanged();
}

// Refills the value fields and the rates for the selected row.
void showModeOfRow() {
  HWND page = modesPage();
  const auto row = selectedRow(page);
  if (!row) return;
  const AppState& s = state();
  const ModeSource source = modeSource(s.BiosImage, s.Layout, *row);
  showFields(page, modeFields(s.BiosImage, s.Layout, source));
  showRates(page, source);
}

}  // namespace

void resetModesPage() {
  HWND page = modesPage();
  showHeadings(page, listHeadings());
  showFields(page, ModeFields{});
  showRates(page, ModeSource{});
}

// Also after the Dump page's Restore, which keeps the selected mode. The rows
// take this BIOS's mode numbers; for an image without a parameter table the
// fields stay cleared.
void fillModesPage() {
  showHeadings(modesPage(), modeHeadings(state().BiosImage, state().Layout));
  if (state().Layout.videoParameterTable) showModeOfRow();
}

// Another change of the image keeps the rate the user chose, where it is
// still one that changes the BIOS's own.
void refreshModesPage() {
  HWND page = modesPage();
  const auto item = chosenRate(page);
  const std::optional<unsigned> kept = item ? offered[*item].standard : std::nullopt;
  fillModesPage();
  for (std::size_t i = 0; kept && i < offered.size(); ++i)
    if (offered[i].standard == kept) SendDlgItemMessageA(page, IDC_MODES_RATES, CB_SETCURSEL, i, 0);
  rateChosen(page);
}

INT_PTR CALLBACK VideoModesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    initModesPage(page);
    return TRUE;
  }
  if (message == WM_SIZE) {  // the list takes the height the page is given
    stretchDown(page, IDC_MODES_LIST, HIWORD(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND || !state().imageLoaded) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_MODES_LIST:
      // For an image without a parameter table, the fields stay.
      if (state().Layout.videoParameterTable) showModeOfRow();
      return TRUE;
    case IDC_MODES_RATES:
      if (HIWORD(wParam) == CBN_SELCHANGE) rateChosen(page);
      return TRUE;
    case IDC_APPLY: applyRate(page); return TRUE;
    default: return FALSE;
  }
}

}  // namespace quarzel::app
