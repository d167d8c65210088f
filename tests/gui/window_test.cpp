// The main window as a window: minimised, maximised and resized, with every
// page filling the tab's display area and the Dump listing and the Video
// Modes list taking the height they are given.
#include "gui_fixture.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "resources/resource.h"

namespace quarzel::test {
namespace {

// A control's place in its page's client coordinates.
RECT placeOf(HWND page, int id) {
  RECT place{};
  GetWindowRect(GetDlgItem(page, id), &place);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

RECT clientOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

bool same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

// The size of the tab control's display area, below the tabs.
SIZE displayArea() {
  HWND tabs = GetDlgItem(app::state().MainWindow, IDC_TABS);
  RECT area = clientOf(tabs);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return {area.right - area.left, area.bottom - area.top};
}

// Every page shown fills the display area, whatever its template's size.
void expectPagesFill(const char* when) {
  const SIZE area = displayArea();
  for (int tab = 0; tab < app::kPageCount; ++tab) {
    app::showPage(tab);
    const RECT client = clientOf(app::pageWindow(static_cast<app::Tab>(tab)));
    EXPECT_EQ(client.right, area.cx) << "tab " << tab << " " << when;
    EXPECT_EQ(client.bottom, area.cy) << "tab " << tab << " " << when;
  }
}

void resizeBy(HWND window, int dx, int dy) {
  RECT frame;
  GetWindowRect(window, &frame);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
               SWP_NOMOVE | SWP_NOZORDER);
}

using Window = GuiTest;

TEST_F(Window, MinimisesMaximisesAndResizes) {
  HWND main = s().MainWindow;
  const auto style = static_cast<DWORD>(GetWindowLongA(main, GWL_STYLE));
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), DWORD{WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME});
  ShowWindow(main, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(main));
  ShowWindow(main, SW_RESTORE);
  EXPECT_FALSE(IsIconic(main));
  // The window is never made smaller than its layout by the mouse.
  MINMAXINFO limits{};
  SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  RECT frame;
  GetWindowRect(main, &frame);
  EXPECT_EQ(limits.ptMinTrackSize.x, frame.right - frame.left);
  EXPECT_EQ(limits.ptMinTrackSize.y, frame.bottom - frame.top);

  HWND dump = page(DumpTab), modes = page(ModesTab), strings = page(StringsTab);
  app::showPage(DumpTab);
  const RECT listing = placeOf(dump, IDC_DUMP_LISTING), go = placeOf(dump, IDC_DUMP_GOTO);
  const auto rowsShown = [dump] {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE;
    GetScrollInfo(GetDlgItem(dump, IDC_DUMP_SCROLL), SB_CTL, &info);
    return info.nPage;
  };
  const UINT rows = rowsShown();
  app::showPage(ModesTab);
  const RECT list = placeOf(modes, IDC_MODES_LIST), columns = placeOf(modes, IDC_MODES_COLUMNS),
             native = placeOf(modes, IDC_MODES_NATIVE);
  const RECT stringsField = placeOf(strings, IDC_STRING1_TEXT);

  constexpr int kWider = 120, kTaller = 200;
  resizeBy(main, kWider, kTaller);
  // Only the page shown follows the window at once; the others when shown.
  EXPECT_EQ(placeOf(modes, IDC_MODES_LIST).bottom, list.bottom + kTaller);
  EXPECT_EQ(placeOf(modes, IDC_MODES_COLUMNS).top, columns.top + kTaller);
  EXPECT_TRUE(same(native, placeOf(modes, IDC_MODES_NATIVE)));  // beside the list: stays
  app::showPage(DumpTab);
  EXPECT_EQ(placeOf(dump, IDC_DUMP_LISTING).bottom, listing.bottom + kTaller);
  EXPECT_EQ(placeOf(dump, IDC_DUMP_SCROLL).right, clientOf(dump).right);  // the whole width
  EXPECT_EQ(placeOf(dump, IDC_DUMP_SCROLL).bottom, listing.bottom + kTaller);
  EXPECT_GT(rowsShown(), rows);  // more lines in view
  EXPECT_EQ(placeOf(dump, IDC_DUMP_GOTO).top, go.top + kTaller);
  expectPagesFill("resized");
  EXPECT_TRUE(same(stringsField, placeOf(strings, IDC_STRING1_TEXT)));  // a fixed page's fields stay

  // Back to the first size, or maximised and restored: the first layout.
  resizeBy(main, -kWider, -kTaller);
  app::showPage(DumpTab);
  EXPECT_TRUE(same(listing, placeOf(dump, IDC_DUMP_LISTING)));
  ShowWindow(main, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(main));
  expectPagesFill("maximised");
  app::showPage(DumpTab);
  EXPECT_GT(placeOf(dump, IDC_DUMP_LISTING).bottom, listing.bottom);
  ShowWindow(main, SW_RESTORE);
  EXPECT_TRUE(same(listing, placeOf(dump, IDC_DUMP_LISTING)));
  EXPECT_EQ(rowsShown(), rows);
  EXPECT_TRUE(same(go, placeOf(dump, IDC_DUMP_GOTO)));
}

// Maximised, the caption with its Restore and Close buttons stays on the
// screen, and the window covers the screen's work area.
TEST_F(Window, MaximisedKeepsItsTitleBarOnTheScreen) {
  HWND main = s().MainWindow;
  ShowWindow(main, SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(main));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor);
  TITLEBARINFO title{};
  title.cbSize = sizeof title;
  ASSERT_TRUE(GetTitleBarInfo(main, &title));
  EXPECT_GE(title.rcTitleBar.top, monitor.rcWork.top);
  EXPECT_GT(title.rcTitleBar.bottom, title.rcTitleBar.top);
  EXPECT_LE(title.rcTitleBar.right, monitor.rcWork.right);
  RECT client = clientOf(main);
  MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_GE(client.bottom, monitor.rcWork.bottom);
  EXPECT_GE(client.right, monitor.rcWork.right);
  ShowWindow(main, SW_RESTORE);
}

}  // namespace
}  // namespace quarzel::test
