// VideoModesPage: the register set the BIOS programs for a chosen video mode,
// and the timing it makes.
#include "analysis/video_modes.h"
#include "ui/app_state.h"
#include "ui/window_helpers.h"
#include "pages/pages.h"
#include "pages/video_modes_page.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

HWND modesPage() { return pageWindow(ModesTab); }

void initModesPage(HWND page) {
  SendDlgItemMessageA(page, IDC_MODES_LIST, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
  SendDlgItemMessageA(page, IDC_MODES_LIST, LB_RESETCONTENT, 0, 0);
  for (const VideoMode& mode : kVideoModes)
    SendDlgItemMessageA(page, IDC_MODES_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode.text));
  SendDlgItemMessageA(page, IDC_MODES_LIST, LB_SETCURSEL, 0, 0);
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

}  // namespace

void clearModeFields() { showFields(modesPage(), ModeFields{}); }

void showSelectedMode() {
  HWND page = modesPage();
  const LRESULT row = SendDlgItemMessageA(page, IDC_MODES_LIST, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return;
  const AppState& s = state();
  showFields(page, quarzel::showSelectedMode(s.BiosImage, s.Layout, static_cast<std::size_t>(row)));
}

INT_PTR CALLBACK VideoModesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    initModesPage(page);
    return TRUE;
  }
  if (message != WM_COMMAND || LOWORD(wParam) != IDC_MODES_LIST) return FALSE;
  // Before a load, or for an image without a parameter table, the fields stay.
  if (state().imageLoaded && state().Layout.videoParameterTable) showSelectedMode();
  return TRUE;
}

}  // namespace quarzel::app
