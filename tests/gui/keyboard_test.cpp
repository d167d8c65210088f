// The main window's keyboard: keys go through the same routing as the
// program's message loop.
#include "gui_fixture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/dialog_keys.h"
#include "app/main_window.h"
#include "pages/dump_page.h"
#include "pages/listing_control.h"
#include "resources/resource.h"

namespace quarzel::test {
namespace {

using Keyboard = GuiTest;

HWND strip() { return GetDlgItem(GuiTest::s().MainWindow, IDC_TABS); }

// The key pressed where the focus is, handled as the message loop does.
void press(UINT key, bool shift = false) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
  // A key going up: the previous-state and transition bits (30 and 31), the
  // sign bit of a 32-bit LPARAM.
  constexpr LPARAM kKeyUp = static_cast<LPARAM>(static_cast<std::int32_t>(0xC0000000u));
  PostMessageA(GetFocus(), WM_KEYUP, key, kKeyUp);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    if (!app::routeDialogKeys(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

// The controls Tab visits from the tab strip until it is back there.
std::vector<int> tabWalk(app::Tab tab) {
  app::showPage(tab);
  SetFocus(strip());
  std::vector<int> visited;
  for (int i = 0; i < 80; ++i) {
    press(VK_TAB);
    if (GetFocus() == strip()) return visited;
    EXPECT_TRUE(IsChild(GuiTest::page(tab), GetFocus())) << "focus left the page shown";
    visited.push_back(GetDlgCtrlID(GetFocus()));
  }
  ADD_FAILURE() << "Tab never came back to the tab strip";
  return visited;
}

bool visitsInOrder(const std::vector<int>& visited, const std::vector<int>& fields) {
  auto at = visited.begin();
  for (const int id : fields) {
    at = std::find(at, visited.end(), id);
    if (at == visited.end()) return false;
  }
  return true;
}

TEST_F(Keyboard, TabWalksThroughThePageShownAndBackToTheTabs) {
  load(sampleRom());
  const std::vector<int> strings = tabWalk(StringsTab);
  EXPECT_TRUE(visitsInOrder(strings, {IDC_STRING1_TEXT, IDC_STRING2_TEXT, IDC_DATE, IDC_RESTORE}));
  EXPECT_EQ(std::count(strings.begin(), strings.end(), IDC_APPLY), 0) << "a disabled button took the focus";
  std::vector<int> values;
  for (const int id : {IDC_REG_PCIINIT0_VALUE, IDC_REG_MISCINIT0_VALUE, IDC_REG_MISCINIT1_VALUE, IDC_REG_DRAMINIT0_VALUE,
                       IDC_REG_DRAMINIT1_VALUE, IDC_REG_AGPINIT0_VALUE, IDC_REG_PLLCTRL1_VALUE, IDC_REG_PLLCTRL2_VALUE,
                       IDC_REG_SGRAMMODE_VALUE, IDC_REG_COMPARE})
    values.push_back(id);
  EXPECT_TRUE(visitsInOrder(tabWalk(RegistersTab), values));
  // Shift+Tab enters the page at its other end.
  SetFocus(strip());
  press(VK_TAB, true);
  EXPECT_EQ(GetFocus(), GetDlgItem(page(RegistersTab), IDC_RESTORE));
}

// Enter presses the focused button of the page, not a command of the main
// window with the same number.
TEST_F(Keyboard, EnterPressesTheFocusedButton) {
  load(sampleRom());
  app::showPage(StringsTab);
  type(page(StringsTab), IDC_DATE, "12/31/99");
  SetFocus(strip());
  do press(VK_TAB);
  while (GetFocus() != GetDlgItem(page(StringsTab), IDC_APPLY) && GetFocus() != strip());
  ASSERT_EQ(GetFocus(), GetDlgItem(page(StringsTab), IDC_APPLY));
  press(VK_RETURN);
  EXPECT_EQ(s().BiosImage.text(*s().Layout.biosDate.address).substr(0, 8), "12/31/99");
  EXPECT_FALSE(enabled(page(StringsTab), IDC_APPLY));

  // Enter in the Go to offset box goes there; in the listing it does nothing.
  app::showPage(DumpTab);
  HWND dump = page(DumpTab);
  const auto top = [] { return app::listingTopLine(); };
  type(dump, IDC_DUMP_GOTO_OFFSET, "7D20");
  SetFocus(GetDlgItem(dump, IDC_DUMP_GOTO_OFFSET));
  press(VK_RETURN);
  EXPECT_EQ(top(), 0x7D2u);
  type(dump, IDC_DUMP_GOTO_OFFSET, "zz");
  SetFocus(GetDlgItem(dump, IDC_DUMP_LISTING));
  press(VK_RETURN);
  EXPECT_EQ(top(), 0x7D2u);
  EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
}

}  // namespace
}  // namespace quarzel::test
