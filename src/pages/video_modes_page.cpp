// VideoModesPage: the register set the BIOS programs for a chosen video mode,
// and the timing it makes.
#include "analysis/refresh_edit.h"
#include "analysis/video_modes.h"
#include "formats/text_format.h"
#include "pages/dump_page.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"
#include "pages/pages.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

HWND modesPage() { return pageWindow(ModesTab); }

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


// The standard rates the selected mode's resolution can take, the one it
// runs at selected; none for a mode that is not one of the board's own.
void showRates(HWND page, const ModeSource& source) {
  const AppState& s = state();
  SendDlgItemMessageA(page, IDC_MODES_RATES, CB_RESETCONTENT, 0, 0);
  std::vector<TimingChoice> choices;
  std::optional<unsigned> now;
  if (source.info && source.info->biosMode > kLastVgaMode && !source.info->text()) {
    const Resolution resolution{source.info->width, source.info->height};
    choices = timingChoices(s.BiosImage, s.Layout, resolution);
    if (const auto timing = sourceTiming(s.BiosImage, s.Layout, source))
      now = standardRefresh(s.BiosImage, s.Layout, resolution, *timing);
  }
  for (const TimingChoice& choice : choices) {
    const std::string text = formatText("%u Hz", choice.timing->refresh);
    const LRESULT item = SendDlgItemMessageA(page, IDC_MODES_RATES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendDlgItemMessageA(page, IDC_MODES_RATES, CB_SETITEMDATA, static_cast<WPARAM>(item),
                        static_cast<LPARAM>(choice.timing->refresh));
    if (now == choice.timing->refresh) SendDlgItemMessageA(page, IDC_MODES_RATES, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  }
  enable(page, IDC_MODES_RATES, !choices.empty());
  enable(page, IDC_APPLY, !choices.empty());
}

std::optional<std::size_t> selectedRow(HWND page) {
  const LRESULT row = SendDlgItemMessageA(page, IDC_MODES_LIST, LB_GETCURSEL, 0, 0);
  return row == LB_ERR ? std::nullopt : std::optional(static_cast<std::size_t>(row));
}

// The chosen rate for the whole resolution of the selected mode; a refused
// one names its reason and changes nothing.
void applyRate(HWND page) {
  AppState& s = state();
  const auto row = selectedRow(page);
  const LRESULT item = SendDlgItemMessageA(page, IDC_MODES_RATES, CB_GETCURSEL, 0, 0);
  if (!row || item == CB_ERR) return;
  const ModeSource source = modeSource(s.BiosImage, s.Layout, *row);
  if (!source.info) return;
  const BusyGuard busy;
  const auto refresh = static_cast<unsigned>(SendDlgItemMessageA(page, IDC_MODES_RATES, CB_GETITEMDATA, static_cast<WPARAM>(item), 0));
  const EditResult result = applyRefresh(s.BiosImage, s.Layout, {source.info->width, source.info->height}, refresh);
  if (result.error) {
    showError(page, (std::string("Refresh rate error!!!\n") + describe(*result.error)).c_str());
    return;
  }
  showSelectedMode();
  showInDump(0, 0);
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
  if (state().Layout.videoParameterTable) showSelectedMode();
}

void showSelectedMode() {
  HWND page = modesPage();
  const auto row = selectedRow(page);
  if (!row) return;
  const AppState& s = state();
  const ModeSource source = modeSource(s.BiosImage, s.Layout, *row);
  showFields(page, modeFields(s.BiosImage, s.Layout, source));
  showRates(page, source);
}

INT_PTR CALLBACK VideoModesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    initModesPage(page);
    return TRUE;
  }
  if (message != WM_COMMAND || !state().imageLoaded) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_MODES_LIST:
      // For an image without a parameter table, the fields stay.
      if (state().Layout.videoParameterTable) showSelectedMode();
      return TRUE;
    case IDC_APPLY: applyRate(page); return TRUE;
    default: return FALSE;
  }
}

}  // namespace quarzel::app
