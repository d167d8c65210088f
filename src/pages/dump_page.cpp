// DumpPage: the hex listing of the image in a RichEdit 1.0 control, with
// Apply (commit the changes into BiosBackup) and Restore (throw them away).
#include "pages/dump_page.h"

#include <algorithm>

#include "pages/analysis_refresh.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"
#include "formats/dump_listing.h"
#include "pages/listing_control.h"
#include "pages/pages.h"
#include "resources/resource.h"
#include "ui/error_messages.h"

namespace quarzel::app {

namespace {

HWND dumpPage() { return pageWindow(DumpTab); }

// An offset is at most eight digits after a 0x; longer texts are not read.
constexpr int kMostOffsetChars = 64;

// No change since the last Apply or Restore: Apply stays disabled until a
// rebuild finds one.
bool clean = true;

// The range last shown blue: every rebuild after a change of the image
// shows it again, until another is shown or a new file is loaded.
struct ShownRange {
  int offset = 0;
  int length = 0;
};
ShownRange shown;

void initDumpPage(HWND page) {
  clean = true;
  shown = {};
  forgetListing();
  prepareListing(page);
  RECT size;
  GetClientRect(page, &size);
  stretchDown(page, IDC_DUMP_LISTING, size.bottom);
}

// The listing and its scroll bar take the page's whole width, whatever
// width the tab control gives the page, and every line of its height, the
// Go to row staying below them.
void fitListing(HWND page, int width, int height) {
  stretchDown(page, IDC_DUMP_LISTING, height);
  HWND listing = GetDlgItem(page, IDC_DUMP_LISTING);
  RECT place;
  if (!listing || !GetWindowRect(listing, &place)) return;  // the page's own creation
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
  place.left = 0;
  place.right = width;
  placeListing(page, place);
}

// Rebuilds the listing with the changed bytes red and the shown range blue,
// the view at line `top` where given.
void rebuild(std::optional<std::size_t> top) {
  AppState& s = state();
  const std::vector<Highlight> list = dumpHighlights(s.BiosImage, s.BiosBackup, shown.offset, shown.length);
  if (std::ranges::any_of(list, [](const Highlight& h) { return h.mark == Mark::Changed; })) clean = false;
  if (!clean) enable(dumpPage(), IDC_APPLY, true);
  showListing(dumpPage(), dumpListing(s.BiosImage), list, top);
}

// Shows the typed offset as an offset button shows its item: the line on
// top, the byte blue. Offsets of the first line go to the top too, where
// showInDump leaves the view alone.
void goToOffset(HWND page) {
  const DumpOffset target = dumpOffset(getText(page, IDC_DUMP_GOTO_OFFSET, kMostOffsetChars), state().BiosImage.size);
  if (!target.offset) {
    showError(page, headline(Task::GoToOffset), target.refusal);
    return;
  }
  shown = {static_cast<int>(*target.offset), 1};
  rebuild(*target.offset / 16);
}

void commitChanges() {
  AppState& s = state();
  clean = true;
  const BusyGuard busy;
  enable(dumpPage(), IDC_APPLY, false);
  s.BiosBackup = s.BiosImage;
  showInDump(0, 0);
}

void revertChanges() {
  AppState& s = state();
  clean = true;
  const BusyGuard busy;
  enable(dumpPage(), IDC_APPLY, false);
  s.BiosImage = s.BiosBackup;
  showInDump(0, 0);
  runAnalysisPass();
}

}  // namespace

// The line of the offset becomes the topmost visible line; a plain rebuild
// keeps the view where the user left it, and the range shown.
void showInDump(int offset, int length) {
  if (offset != 0 || length != 0) shown = {offset, length};
  std::optional<std::size_t> top;
  if (offset / 16 > 0) top = static_cast<std::size_t>(offset / 16);
  rebuild(top);
}

void showNewImageInDump() {
  shown = {};
  rebuild(0);
}

void showItemInDump(const std::optional<Offset>& location, std::size_t length) {
  showInDump(static_cast<int>(location.value_or(0)), static_cast<int>(length));
}

namespace {

// Enter in the Go to offset box presses Go; elsewhere on the page it
// presses nothing, so Enter in the listing never brings an offset error.
INT_PTR answerDefaultButton(HWND page) {
  if (GetFocus() != GetDlgItem(page, IDC_DUMP_GOTO_OFFSET)) return FALSE;
  SetWindowLongPtrA(page, DWLP_MSGRESULT, MAKELONG(IDC_DUMP_GOTO, DC_HASDEFID));
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK DumpPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      initDumpPage(page);
      return TRUE;
    case WM_SIZE:
      fitListing(page, LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_VSCROLL:
      scrollListing(page, wParam);
      return TRUE;
    case WM_MOUSEWHEEL:  // the Go to box or a button has the focus: the listing moves
      SendDlgItemMessageA(page, IDC_DUMP_LISTING, message, wParam, lParam);
      return TRUE;
    case DM_GETDEFID:
      return answerDefaultButton(page);
    case WM_COMMAND:
      if (!state().imageLoaded) return FALSE;
      switch (LOWORD(wParam)) {
        case IDC_APPLY: commitChanges(); return TRUE;
        case IDC_RESTORE: revertChanges(); return TRUE;
        case IDC_DUMP_GOTO: goToOffset(page); return TRUE;
        default: return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace quarzel::app
