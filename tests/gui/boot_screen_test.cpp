// The Boot Screen window shows the image as it stands: it opens from the
// menu and the pages' buttons, clear of the menu and the tabs, draws again
// after an Apply, says under the picture what it could not read and the
// memory it shows, and closes with Esc.
#include "gui_fixture.h"

#include "app/dialog_keys.h"
#include "pages/boot_screen_window.h"
#include "resources/resource.h"
#include "support/shared_files.h"

namespace quarzel::test {
namespace {

using BootScreenWindow = GuiTest;

std::string image(const Image& rom) { return {reinterpret_cast<const char*>(rom.bytes.data()), rom.size}; }

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(BootScreenWindow, OpensAtThePicturesSizeAndFollowsAnApply) {
  command(IDM_BOOT_SCREEN);
  EXPECT_EQ(app::bootScreenWindow(), nullptr) << "nothing to draw before a load";
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  load(image(rom), test::kAgpSg.file);
  click(page(StringsTab), IDC_BOOT_SCREEN);
  HWND window = app::bootScreenWindow();
  ASSERT_NE(window, nullptr);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 720);
  EXPECT_GT(client.bottom, 400) << "the note's line under the picture";
  const std::vector<std::uint32_t> before = app::shownBootScreen().pixels;

  SetDlgItemTextA(page(StringsTab), IDC_STRING1_TEXT, "Tuned\r\n");
  click(page(StringsTab), IDC_APPLY);
  EXPECT_NE(app::shownBootScreen().pixels, before) << "string 1 drawn again";
  command(IDM_BOOT_SCREEN);
  EXPECT_EQ(app::bootScreenWindow(), window) << "one window, brought forward";
  DestroyWindow(window);
  EXPECT_EQ(app::bootScreenWindow(), nullptr);
}

// Beside the main window where the screen has room, else with its top at
// the pages' top; never over the menu or the tabs. Esc, routed as the
// message loop routes keys, closes it.
TEST_F(BootScreenWindow, OpensClearOfTheMenuAndClosesWithEsc) {
  load(sampleRom());
  command(IDM_BOOT_SCREEN);
  HWND window = app::bootScreenWindow();
  ASSERT_NE(window, nullptr);
  RECT boot, main, pages;
  GetWindowRect(window, &boot);
  GetWindowRect(s().MainWindow, &main);
  GetWindowRect(page(static_cast<app::Tab>(s().currentPage)), &pages);
  const bool beside = boot.left >= main.right || boot.right <= main.left;
  EXPECT_TRUE(beside || boot.top >= pages.top)
      << "at " << boot.left << "," << boot.top << "; main window " << main.left << "," << main.top << " to "
      << main.right << "," << main.bottom << ", pages from " << pages.top;

  SetFocus(window);
  MSG escape{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  if (!app::routeDialogKeys(escape)) DispatchMessageA(&escape);
  EXPECT_EQ(app::bootScreenWindow(), nullptr);
}

// The line under the picture says what the picture is: read whole, with the
// card's memory as chosen; the memory the BIOS fixes, with nothing to
// choose; the step it could not read, in the words quarzel-cli preview uses.
TEST_F(BootScreenWindow, TheLineUnderThePictureSaysWhatItRead) {
  QUARZEL_REAL_ROM(agp, test::kAgpSg);
  load(image(agp), test::kAgpSg.file);
  command(IDM_BOOT_SCREEN);
  HWND window = app::bootScreenWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(has(text(window, IDC_BOOT_SCREEN_NOTE), "Read whole"));
  EXPECT_TRUE(has(text(window, IDC_BOOT_SCREEN_NOTE), "the BIOS reads the card's 16384K"));
  click(window, IDC_BOOT_SCREEN_FIRST_MEMORY);  // 8 MB
  EXPECT_EQ(app::shownBootScreen().memory->blocks, 32u);
  EXPECT_TRUE(has(text(window, IDC_BOOT_SCREEN_NOTE), "the BIOS reads the card's 8192K"));

  QUARZEL_REAL_ROM(fixed, test::k3k12sd);
  load(image(fixed), test::k3k12sd.file);
  EXPECT_TRUE(has(text(window, IDC_BOOT_SCREEN_NOTE), "the BIOS reports 16384K whatever the card holds"));
  EXPECT_FALSE(enabled(window, IDC_BOOT_SCREEN_FIRST_MEMORY));

  std::string nops = image(agp);
  nops.replace(0x3542, 24, 24, '\x90');  // the name printer
  load(nops, "nops.rom");
  const std::string note = text(window, IDC_BOOT_SCREEN_NOTE);
  EXPECT_TRUE(has(note, "Partly read. The sign-on code calls 3542, code quarzel does not know: what the BIOS prints after "
                        "string 1 is not drawn."))
      << note;
}

}  // namespace
}  // namespace quarzel::test
