#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

#include "analysis/analysis_pass.h"
#include "app/about_box.h"
#include "app/running_copy.h"
#include "app/unsaved_changes.h"
#include "pages/analysis_refresh.h"
#include "pages/boot_screen_window.h"
#include "ui/app_state.h"
#include "app/bios_file.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "resources/resource.h"
#include "ui/error_messages.h"

namespace quarzel::app {

namespace {

HWND tabs() { return GetDlgItem(state().MainWindow, IDC_TABS); }

// What the window was laid out for: its smallest size and the tab
// control's margins to the window's edges.
struct WindowLayout {
  POINT smallest{};
  RECT tabMargins{};
};
WindowLayout layout;

void noteLayout(HWND window) {
  RECT frame, client, strip;
  GetWindowRect(window, &frame);
  layout.smallest = {frame.right - frame.left, frame.bottom - frame.top};
  GetClientRect(window, &client);
  GetWindowRect(tabs(), &strip);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&strip), 2);
  layout.tabMargins = {strip.left, strip.top, client.right - strip.right, client.bottom - strip.bottom};
}

// The tab control keeps its margins; the page shown follows it.
void fitToWindow(int width, int height) {
  const RECT& m = layout.tabMargins;
  MoveWindow(tabs(), m.left, m.top, width - m.left - m.right, height - m.top - m.bottom, TRUE);
  showPage(state().currentPage);
  InvalidateRect(state().pageWindows[static_cast<std::size_t>(state().currentPage)], nullptr, TRUE);
}

void createPages(HWND window) {
  AppState& s = state();
  const auto& pages = pageTable();
  s.MainWindow = window;
  for (int i = 0; i < kPageCount; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(pages[static_cast<std::size_t>(i)].label);
    SendMessageA(tabs(), TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  for (std::size_t i = 0; i < pages.size(); ++i)
    s.pageWindows[i] = CreateDialogParamA(s.instance, MAKEINTRESOURCEA(pages[i].templateId), tabs(),
                                          pages[i].procedure, 0);
  // The empty 64 KiB image, listed as the Dump page starts.
  showInDump(0, 0);
  noteLayout(window);
  showPage(FontsTab);
  centerOnScreen(window);
  DragAcceptFiles(window, TRUE);
}

// The help file lies beside the program: the file dialogs may have moved
// the current folder anywhere.
void help() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path, length);
  file = file.substr(0, file.find_last_of("\\/") + 1) + "quarzel.chm";
  ShellExecuteA(state().MainWindow, "open", file.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

// A new file shows from its first line; a reload keeps the view.
void afterLoad(bool newFile) {
  AppState& s = state();
  {
    const BusyGuard busy;
    if (newFile)
      showNewImageInDump();
    else
      showInDump(0, 0);
    runAnalysisPass();
    resetFontsPageAfterLoad();
  }
  s.imageLoaded = true;
  // The image stays loaded (its bytes are on the Dump page), but no page
  // has anything of it to show: say so once rather than leave them blank.
  if (!foundAnyItem(s.Layout))
    platform().messageBox(s.MainWindow, headline(Task::NoBiosItem), "WARNING", MB_OK | MB_ICONWARNING);
}

void runLoad(const FileOutcome& outcome, bool newFile) {
  if (outcome.result == FileResult::Error) showError(state().MainWindow, headline(Task::BiosLoad), outcome.reason);
  if (outcome.result == FileResult::Done) afterLoad(newFile);
}

// Only the selected tab is pressed. Wine's tab control moves the selection
// by the arrow keys without moving this mark, and a click later finds the
// old tab still pressed: it then leaves the selection where it is and the
// strip only moves its focus under the mouse. Setting the mark after every
// change keeps the keyboard and the mouse working together.
void markSelectedTab(int selected) {
  for (int i = 0; i < kPageCount; ++i) {
    TCITEMA item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = TCIS_BUTTONPRESSED;
    item.dwState = i == selected ? TCIS_BUTTONPRESSED : 0;
    SendMessageA(tabs(), TCM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
}

// A dialog procedure answers a notification through DWLP_MSGRESULT and
// returns TRUE; one it leaves to the system returns FALSE, so that no stale
// result can veto the tab control's TCN_SELCHANGING.
INT_PTR answerNotification(HWND window, const NMHDR& header) {
  if (header.idFrom != IDC_TABS || header.code != TCN_SELCHANGE) return FALSE;
  const int selected = static_cast<int>(SendMessageA(tabs(), TCM_GETCURSEL, 0, 0));
  markSelectedTab(selected);
  showPage(selected);
  SetWindowLongPtrA(window, DWLP_MSGRESULT, 0);
  return TRUE;
}

// The load of a file another copy handed over, made once that copy has
// its answer: a message box of the load must not hold it up.
constexpr UINT kLoadHandedFile = WM_APP + 1;

// Another copy was started, with a file or without: this window comes to
// the front, restored when minimized, and loads the file as Load BIOS
// does. While one of its own modal dialogs is open, that dialog comes to
// the front instead and the file is not taken.
INT_PTR receiveHandedFile(HWND window, const COPYDATASTRUCT& data) {
  const auto file = handedFile(data);
  if (!file) return FALSE;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  const bool modal = !IsWindowEnabled(window);
  SetForegroundWindow(modal ? GetLastActivePopup(window) : window);
  const bool taken = !modal || file->empty();
  if (!modal && !file->empty()) {
    state().handedFile = *file;
    PostMessageA(window, kLoadHandedFile, 0, 0);
  }
  SetWindowLongPtrA(window, DWLP_MSGRESULT, taken);
  return TRUE;
}

void loadHandedFile(HWND window) {
  const std::string file = std::exchange(state().handedFile, {});
  if (!file.empty() && IsWindowEnabled(window) && mayGiveUpImage()) loadNamedFile(file);
}

// A file dropped on the window loads as Load BIOS loads it; of several,
// the first.
void loadDroppedFile(HDROP drop) {
  char path[MAX_PATH] = {};
  const bool named = DragQueryFileA(drop, 0, path, MAX_PATH) > 0;
  DragFinish(drop);
  if (named && mayGiveUpImage()) loadNamedFile(path);
}

}  // namespace

void showPage(int index) {
  AppState& s = state();
  RECT area;
  GetClientRect(tabs(), &area);
  SendMessageA(tabs(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  HWND page = s.pageWindows[static_cast<std::size_t>(index)];
  // Every page takes the whole display area, so its own background fills
  // the window however large it grows: the Dump and Video Modes pages
  // stretch their lists into it, the others keep their controls where the
  // template puts them, beside the tabs as at the first size.
  if (index != s.currentPage) ShowWindow(s.pageWindows[static_cast<std::size_t>(s.currentPage)], SW_HIDE);
  MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
  UpdateWindow(page);
  ShowWindow(page, SW_SHOW);
  s.currentPage = index;
}

void loadSequence(bool reload) { runLoad(loadBios(reload), !reload); }

void loadNamedFile(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  runLoad(loadBiosFile({path, slash == std::string::npos ? path : path.substr(slash + 1)}), true);
}

bool saveBiosAs() {
  // A length byte of 0 or over 80h has no checksum byte inside the buffer;
  // such an image is saved as it stands.
  {
    const BusyGuard busy;
    fixChecksum(state().BiosImage);
    imageChanged();
  }
  const FileOutcome saved = saveBios();
  if (saved.result == FileResult::Error) showError(state().MainWindow, headline(Task::BiosSave), saved.reason);
  return saved.result == FileResult::Done;
}

void shutdown() {
  AppState& s = state();
  if (s.FixedFont) DeleteObject(s.FixedFont);
  s.FixedFont = nullptr;
  PostQuitMessage(0);
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      createPages(window);
      return TRUE;
    case WM_SIZE:  // the tabs follow the window; a minimised one keeps its layout
      if (wParam != SIZE_MINIMIZED && layout.smallest.x) fitToWindow(LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_GETMINMAXINFO:  // never smaller than the pages' layout
      if (layout.smallest.x) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = layout.smallest;
      return TRUE;
    case WM_NOTIFY:
      return answerNotification(window, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDM_EXIT:
          if (mayGiveUpImage()) shutdown();
          return TRUE;
        case IDM_LOAD:
          if (mayGiveUpImage()) loadSequence(false);
          return TRUE;
        case IDM_RELOAD:
          if (state().imageLoaded && mayGiveUpImage()) loadSequence(true);
          return TRUE;
        case IDM_SAVE:
          if (state().imageLoaded) saveBiosAs();
          return TRUE;
        case IDM_BOOT_SCREEN: showBootScreen(); return TRUE;
        case IDM_HELP: help(); return TRUE;
        case IDM_ABOUT: showAboutBox(window); return TRUE;
        default: return FALSE;
      }
    case WM_COPYDATA:
      return receiveHandedFile(window, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kLoadHandedFile:
      loadHandedFile(window);
      return TRUE;
    case WM_DROPFILES:
      loadDroppedFile(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_CLOSE:  // the close box, Alt+F4 and the system menu
      if (mayGiveUpImage()) shutdown();
      return TRUE;
    case WM_DESTROY:
      shutdown();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace quarzel::app
