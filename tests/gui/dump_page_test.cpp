// The Dump page: the listing, Apply (commit) and Restore (revert).
#include "gui_fixture.h"

#include "pages/dump_page.h"
#include "resources/resource.h"

namespace quarzel::test {
namespace {


std::string listingText() {
  HWND listing = GetDlgItem(app::pageWindow(app::DumpTab), IDC_DUMP_LISTING);
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(listing)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(listing, text.data(), static_cast<int>(text.size()))));
  return text;
}

using DumpPage = GuiTest;

TEST_F(DumpPage, ListsTheEmptyImageAtStartAndIgnoresItsButtons) {
  const std::string text = listingText();
  EXPECT_EQ(text.size(), 4096u * 74);
  EXPECT_EQ(text.substr(0, 74), "0000: 00 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00  ................\r\n");
  click(page(DumpTab), IDC_RESTORE);
  EXPECT_EQ(listingText(), text);
}

TEST_F(DumpPage, ShownRangeIsBlueAndChangedBytesInsideItToo) {
  load(sampleRom());
  app::showInDump(0x40, 17);
  EXPECT_EQ(dumpColour(302), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(367), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(376), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(378), 0u);
  // A later rebuild leaves nothing of the earlier colours.
  app::showInDump(0, 0);
  EXPECT_EQ(dumpColour(302), 0u);
}

// A rebuild stops the colouring still running for the previous one, and
// nothing of the old list stays coloured.
TEST_F(DumpPage, ARebuildStopsThePreviousColouring) {
  load(sampleRom());
  for (std::size_t p = 0; p < s().BiosImage.size; p += 2) s().BiosImage.bytes[p] ^= 0xFF;
  app::showInDump(0, 0);  // 32,768 red ranges: a long colouring
  s().BiosBackup = s().BiosImage;
  app::showInDump(0x40, 17);
  EXPECT_EQ(dumpColour(302), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(74 * 0x7F0 + 6), 0u);
  EXPECT_EQ(dumpColour(74 * 0x10 + 56), 0u);
}

TEST_F(DumpPage, ApplyCommitsAndRestoreReverts) {
  load(sampleRom());
  type(page(StringsTab), IDC_STRING1_TEXT, "first");
  click(page(StringsTab), IDC_APPLY);
  ASSERT_TRUE(enabled(page(DumpTab), IDC_APPLY));
  click(page(DumpTab), IDC_APPLY);
  EXPECT_FALSE(enabled(page(DumpTab), IDC_APPLY));
  EXPECT_EQ(s().BiosBackup.text(0x5100), "first");
  EXPECT_EQ(dumpColour(74 * 0x510 + 6), 0u);

  type(page(StringsTab), IDC_STRING1_TEXT, "second");
  click(page(StringsTab), IDC_APPLY);
  click(page(DumpTab), IDC_RESTORE);
  EXPECT_EQ(s().BiosImage.text(0x5100), "first");
  EXPECT_FALSE(enabled(page(DumpTab), IDC_APPLY));
  // The pass ran again: the page shows the restored string, and it was no edit.
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_TEXT), "first");
  EXPECT_FALSE(enabled(page(StringsTab), IDC_APPLY));
}

}  // namespace
}  // namespace quarzel::test
