// DumpPage: the hex listing of the image in a RichEdit 1.0 control, with
// Apply (commit the changes into BiosBackup) and Restore (throw them away).
#include "pages/dump_page.h"

#include <algorithm>

#include "pages/analysis_refresh.h"
#include "ui/app_state.h"
#include "ui/window_helpers.h"
#include "formats/dump_listing.h"
#include "pages/highlight_worker.h"
#include "pages/listing_control.h"
#include "pages/pages.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

HWND dumpPage() { return pageWindow(DumpTab); }

void initDumpPage(HWND page) {
  forgetListing();
  prepareListing(GetDlgItem(page, IDC_DUMP_LISTING));
}

void commitChanges() {
  AppState& s = state();
  s.dumpClean = true;
  const BusyGuard busy;
  enable(dumpPage(), IDC_APPLY, false);
  s.BiosBackup = s.BiosImage;
  showInDump(0, 0);
}

void revertChanges() {
  AppState& s = state();
  s.dumpClean = true;
  const BusyGuard busy;
  enable(dumpPage(), IDC_APPLY, false);
  s.BiosImage = s.BiosBackup;
  showInDump(0, 0);
  runAnalysisPass();
}

}  // namespace

void showInDump(int offset, int length) {
  AppState& s = state();
  // The previous colouring works on the old text: stop it before replacing.
  stopHighlightWorker();
  HWND control = showListing(dumpPage(), dumpListing(s.BiosImage));
  std::vector<Highlight> list = dumpHighlights(s.BiosImage, s.BiosBackup, offset, length);
  if (std::ranges::any_of(list, [](const Highlight& h) { return h.colour == kChangedColour; })) s.dumpClean = false;
  if (!s.dumpClean) enable(dumpPage(), IDC_APPLY, true);
  rememberColouredRanges(list);
  startHighlightWorker(control, std::move(list));
  // The line of the offset becomes the topmost visible line; a plain
  // rebuild keeps the view where the user left it.
  if (offset / 16 > 0) {
    SendMessageA(control, WM_VSCROLL, SB_TOP, 0);
    SendMessageA(control, EM_LINESCROLL, 0, offset / 16);
  }
}

void finishHighlighting() { joinHighlightWorker(); }

INT_PTR CALLBACK DumpPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      initDumpPage(page);
      return TRUE;
    case WM_COMMAND:
      if (!state().imageLoaded) return FALSE;
      if (LOWORD(wParam) == IDC_APPLY) commitChanges();
      if (LOWORD(wParam) == IDC_RESTORE) revertChanges();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace quarzel::app
