// The Boot Screen window shows the image as it stands: it opens from the
// menu and the pages' buttons at the picture's size, and draws again after
// an Apply.
#include "gui_fixture.h"

#include "pages/boot_screen_window.h"
#include "resources/resource.h"
#include "support/shared_files.h"

namespace quarzel::test {
namespace {

using BootScreenWindow = GuiTest;

TEST_F(BootScreenWindow, OpensAtThePicturesSizeAndFollowsAnApply) {
  command(IDM_BOOT_SCREEN);
  EXPECT_EQ(app::bootScreenWindow(), nullptr) << "nothing to draw before a load";
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  load({reinterpret_cast<const char*>(rom.bytes.data()), rom.size}, test::kAgpSg.file);
  click(page(StringsTab), IDC_BOOT_SCREEN);
  HWND window = app::bootScreenWindow();
  ASSERT_NE(window, nullptr);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 720);
  EXPECT_EQ(client.bottom, 400);
  const std::vector<std::uint32_t> before = app::shownBootScreen().pixels;

  SetDlgItemTextA(page(StringsTab), IDC_STRING1_TEXT, "Tuned\r\n");
  click(page(StringsTab), IDC_APPLY);
  EXPECT_NE(app::shownBootScreen().pixels, before) << "string 1 drawn again";
  command(IDM_BOOT_SCREEN);
  EXPECT_EQ(app::bootScreenWindow(), window) << "one window, brought forward";
  DestroyWindow(window);
  EXPECT_EQ(app::bootScreenWindow(), nullptr);
}

}  // namespace
}  // namespace quarzel::test
