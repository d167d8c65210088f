// The Dump page: the listing, Apply (commit) and Restore (revert).
#include "gui_fixture.h"

#include <commctrl.h>
#include <richedit.h>

#include <initializer_list>

#include "app/main_window.h"
#include "formats/dump_listing.h"
#include "pages/dump_page.h"
#include "pages/listing_control.h"
#include "pages/vesa_controls.h"
#include "resources/resource.h"
#include "support/cpi_file.h"

namespace quarzel::test {
namespace {

HWND listing() { return GetDlgItem(app::pageWindow(app::DumpTab), IDC_DUMP_LISTING); }
int topLine() { return static_cast<int>(app::listingTopLine()); }

// A key pressed on the listing, with the keys `held` down.
void pressOnListing(UINT key, std::initializer_list<int> held = {}) {
  BYTE keys[256];
  GetKeyboardState(keys);
  for (const int down : held) keys[down] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(listing(), WM_KEYDOWN, key, 0);
  SendMessageA(listing(), WM_KEYUP, key, 0);
  for (const int down : held) keys[down] = 0;
  SetKeyboardState(keys);
}

std::string clipboardText() {
  if (!OpenClipboard(nullptr)) return "(the clipboard is busy)";
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) text = bytes;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::string listingText() {
  HWND listing = GetDlgItem(app::pageWindow(app::DumpTab), IDC_DUMP_LISTING);
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(listing)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(listing, text.data(), static_cast<int>(text.size()))));
  return text;
}

using DumpPage = GuiTest;

// The scroll bar spans the whole listing; the control holds the lines in view.
SCROLLINFO barInfo() {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(GetDlgItem(app::pageWindow(app::DumpTab), IDC_DUMP_SCROLL), SB_CTL, &info);
  return info;
}

TEST_F(DumpPage, ListsTheEmptyImageAtStartAndIgnoresItsButtons) {
  const std::string text = listingText();
  const SCROLLINFO bar = barInfo();
  EXPECT_EQ(bar.nMax, 4095);
  EXPECT_EQ(text.size(), bar.nPage * 74 - 2);
  EXPECT_EQ(text.substr(0, 74), "0000: 00 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00  ................\r\n");
  click(page(DumpTab), IDC_RESTORE);
  EXPECT_EQ(listingText(), text);
}

// The listing and its scroll bar lie inside the tab's display area, every
// line it holds shows whole, and Ctrl+End and Ctrl+Home reach its ends with
// the control itself never scrolled.
TEST_F(DumpPage, TheListingFitsThePageAndScrollsToBothEnds) {
  load(sampleRom());
  app::showPage(DumpTab);
  HWND tabs = GetDlgItem(s().MainWindow, IDC_TABS);
  RECT area;
  GetClientRect(tabs, &area);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (HWND control : {listing(), GetDlgItem(page(DumpTab), IDC_DUMP_SCROLL)}) {
    RECT place, inside;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&place), 2);
    IntersectRect(&inside, &place, &area);
    EXPECT_TRUE(EqualRect(&inside, &place));
    EXPECT_TRUE(IsWindowVisible(control));
  }
  // The last character of the last line ends inside the text area.
  const auto length = static_cast<LPARAM>(listingText().size());
  POINTL last{};
  SendMessageA(listing(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&last), length - 1);
  TEXTMETRICA metrics;
  HDC dc = GetDC(listing());
  const HGDIOBJ previous = SelectObject(dc, s().FixedFont);
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(listing(), dc);
  RECT text;
  GetClientRect(listing(), &text);
  EXPECT_LE(last.x + metrics.tmAveCharWidth, text.right);
  EXPECT_LE(last.y + metrics.tmHeight, text.bottom);
  EXPECT_EQ(SendMessageA(listing(), EM_GETLINECOUNT, 0, 0), (length + 2) / 74);  // no line wrapped

  pressOnListing(VK_END, {VK_CONTROL});
  EXPECT_EQ(topLine(), 0x800 - static_cast<int>(barInfo().nPage));
  EXPECT_EQ(listingText().substr(static_cast<std::size_t>(length) - 72, 5), "7FF0:");
  EXPECT_EQ(SendMessageA(listing(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  pressOnListing(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(topLine(), 0);
}

// The wheel, the keys past the lines in view and the scroll bar move the
// view over the listing, and no further than its ends.
TEST_F(DumpPage, TheWheelKeysAndBarMoveTheView) {
  load(sampleRom());
  const int rows = static_cast<int>(barInfo().nPage);
  for (int half = 0; half < 2; ++half)  // a fine wheel's half notches add up
    SendMessageA(listing(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA / 2)), 0);
  EXPECT_EQ(topLine(), 3);
  SendMessageA(listing(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0);
  EXPECT_EQ(topLine(), 0);
  CHARRANGE lastRow{74 * (rows - 1) + 3, 74 * (rows - 1) + 3};
  SendMessageA(listing(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&lastRow));
  SendMessageA(listing(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(topLine(), 1);
  SendMessageA(listing(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(topLine(), 1 + rows);
  EXPECT_EQ(barInfo().nPos, 1 + rows);
  HWND bar = GetDlgItem(page(DumpTab), IDC_DUMP_SCROLL);
  SendMessageA(page(DumpTab), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(topLine(), rows);
  SendMessageA(page(DumpTab), WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(topLine(), 0x800 - rows);
  SendMessageA(page(DumpTab), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(topLine(), 0x800 - rows);
}

// Go to offset: the line on top and the byte blue; a bad offset changes
// nothing and says why.
TEST_F(DumpPage, GoToOffsetShowsTheByteOrSaysWhyNot) {
  load(sampleRom());
  HWND p = page(DumpTab);
  type(p, IDC_DUMP_GOTO_OFFSET, "7d20");
  click(p, IDC_DUMP_GOTO);
  EXPECT_EQ(topLine(), 0x7D2);
  for (const char* bad : {"8000", "7D2G"}) {
    type(p, IDC_DUMP_GOTO_OFFSET, bad);
    click(p, IDC_DUMP_GOTO);
    EXPECT_EQ(topLine(), 0x7D2) << bad;
  }
  EXPECT_EQ(dumpColour(74 * 0x7D2 + 6), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(74 * 0x7D2 + 9), 0u);
  EXPECT_EQ(platform.messages, (std::vector<std::string>{
                                   "ERROR: Offset error!!!\n8000: past the end of the image (0000..7FFF)",
                                   "ERROR: Offset error!!!\n\"7D2G\": not a hexadecimal number",
                               }));
  type(p, IDC_DUMP_GOTO_OFFSET, "5");  // the first line: back to the top
  click(p, IDC_DUMP_GOTO);
  EXPECT_EQ(topLine(), 0);
  EXPECT_EQ(dumpColour(6 + 3 * 5), RGB(0, 0, 255));
}

// A rebuild without an offset keeps the view where the user left it, the
// changed lines and their colouring notwithstanding.
TEST_F(DumpPage, APlainRebuildKeepsTheView) {
  load(sampleRom());
  app::scrollListingTo(page(DumpTab), 0x400);
  s().BiosImage.bytes[0x100] ^= 0xFF;
  app::showInDump(0, 0);
  EXPECT_EQ(topLine(), 0x400);
  EXPECT_EQ(listingText().substr(0, 5), "4000:");
}

// A new file shows from its first line; one shorter than the view shows
// whole, with nothing to scroll.
TEST_F(DumpPage, ANewFileShowsFromItsFirstLine) {
  load(sampleRom());
  app::scrollListingTo(page(DumpTab), 0x700);
  load(sampleRom(), "other.rom");
  EXPECT_EQ(topLine(), 0);
  ShowWindow(s().MainWindow, SW_MAXIMIZE);
  app::showPage(DumpTab);
  ASSERT_GT(barInfo().nPage, 32u);
  load("\x55\xAA\x01" + std::string(509, '\0'), "short.rom");  // 32 lines
  EXPECT_EQ(listingText().size(), 32u * 74 - 2);
  EXPECT_EQ(barInfo().nMax, 31);
  pressOnListing(VK_END, {VK_CONTROL});
  SendMessageA(listing(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(topLine(), 0);
  EXPECT_EQ(SendMessageA(listing(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(DumpPage, ShownRangeIsBlueAndChangedBytesInsideItToo) {
  load(sampleRom());
  app::showInDump(0x40, 17);
  EXPECT_EQ(dumpColour(302), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(367), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(376), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(378), 0u);
  // A plain rebuild keeps the range; an item not found shows nothing blue.
  app::showInDump(0, 0);
  EXPECT_EQ(dumpColour(302), RGB(0, 0, 255));
  app::showItemInDump(std::nullopt, 17);
  EXPECT_EQ(dumpColour(302), 0u);
}

// Half the image red, then committed: the rebuild leaves nothing of the old
// colours but shows the new blue.
TEST_F(DumpPage, ARebuildAfterManyChangesLeavesNothingOfTheirColours) {
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

// The listing position of the hex pair of byte `offset`.
int hexPosition(std::size_t offset) {
  const auto column = static_cast<int>(offset % 16);
  return static_cast<int>(offset / 16) * 74 + 6 + 3 * column + (column >= 8 ? 1 : 0);
}

// The byte shown blue stays blue through every change of the image: a
// code-page font load, the Dump page's Restore. A new file shows nothing
// blue.
TEST_F(DumpPage, TheShownByteStaysBlueThroughEveryChangeOfTheImage) {
  load(sampleRom());
  HWND p = page(DumpTab);
  type(p, IDC_DUMP_GOTO_OFFSET, "7D25");
  click(p, IDC_DUMP_GOTO);
  const int shown = hexPosition(0x7D25);
  const std::vector<std::uint8_t> cpi = cpiFile({{437, {{8, 8, 1}}}});
  platform.openAnswers.push_back(app::ChosenFile{fileWith({cpi.begin(), cpi.end()}, "EGA3.CPI"), "EGA3.CPI"});
  runDialog(page(FontsTab), IDC_FONTS_LOAD, [](HWND dialog) {
    click(dialog, IDC_SELECT_FONT_8X8);
    click(dialog, IDOK);
  });
  ASSERT_TRUE(enabled(p, IDC_APPLY)) << "the code page changed no byte";
  EXPECT_EQ(dumpColour(shown), RGB(0, 0, 255)) << "after the code-page load";
  click(p, IDC_RESTORE);
  EXPECT_EQ(dumpColour(shown), RGB(0, 0, 255)) << "after Restore";
  platform.messageAnswers = {IDNO};  // the font is not saved
  load(sampleRom(), "other.rom");
  EXPECT_EQ(dumpColour(shown), 0u) << "in a new file";
}

// Go to offset keeps its blue after a font's worth of red bytes (4 KiB, in
// runs of one), and the red bytes around the blue stay red.
TEST_F(DumpPage, GoToKeepsItsBlueAfterManyChangedBytes) {
  load(sampleRom());
  for (std::size_t p = 0x1000; p < 0x3000; p += 2) s().BiosImage.bytes[p] ^= 0x5A;
  app::showInDump(0, 0);  // as after a font load
  HWND p = page(DumpTab);
  for (const char* offset : {"1800", "7D20", "1FFE"}) {
    type(p, IDC_DUMP_GOTO_OFFSET, offset);
    click(p, IDC_DUMP_GOTO);
    const std::size_t shown = std::stoul(offset, nullptr, 16);
    EXPECT_EQ(dumpColour(hexPosition(shown)), RGB(0, 0, 255)) << offset;
    EXPECT_EQ(topLine(), static_cast<int>(shown / 16)) << offset;
  }
  // The earlier blue bytes are red or black again.
  EXPECT_EQ(dumpColour(hexPosition(0x1800)), RGB(255, 0, 0));
  EXPECT_EQ(dumpColour(hexPosition(0x1801)), 0u);
  EXPECT_EQ(dumpColour(hexPosition(0x7D20)), 0u);
}

// Shift+Page Down three times from the first line selects down to the line
// reached, the view going along, and the control shows it again scrolled
// back; Ctrl+C copies all of it, Ctrl+A selects the listing. A drag past the
// bottom edge scrolls a line at each move while the button is down.
TEST_F(DumpPage, ASelectionRunsPastTheViewAndCopiesWhole) {
  load(sampleRom());
  const std::size_t rows = barInfo().nPage;
  pressOnListing(VK_HOME, {VK_CONTROL});
  for (int page = 0; page < 3; ++page) pressOnListing(VK_NEXT, {VK_SHIFT});
  EXPECT_EQ(topLine(), static_cast<int>(3 * rows));
  pressOnListing('C', {VK_CONTROL});
  const std::string whole = dumpListing(s().BiosImage);
  EXPECT_EQ(clipboardText(), whole.substr(0, 3 * rows * 74));
  SendMessageA(page(DumpTab), WM_VSCROLL, SB_PAGEUP, 0);
  CHARRANGE inView{};
  SendMessageA(listing(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&inView));
  EXPECT_EQ(inView.cpMax - inView.cpMin, static_cast<LONG>(rows * 74 - 2));
  pressOnListing('A', {VK_CONTROL});
  pressOnListing('C', {VK_CONTROL});
  EXPECT_EQ(clipboardText(), whole.substr(0, whole.size() - 2));

  pressOnListing(VK_HOME, {VK_CONTROL});
  RECT inside;
  GetClientRect(listing(), &inside);
  const LPARAM below = MAKELPARAM(40, inside.bottom + 2);
  SendMessageA(listing(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 4));
  for (int move = 0; move < 3; ++move) SendMessageA(listing(), WM_MOUSEMOVE, MK_LBUTTON, below);
  SendMessageA(listing(), WM_LBUTTONUP, 0, below);
  SendMessageA(listing(), WM_MOUSEMOVE, MK_LBUTTON, below);  // after the button: no drag
  EXPECT_EQ(topLine(), 3);
  const TextRange dragged = app::listingSelection();
  EXPECT_EQ(dragged.end - dragged.start, (rows + 2) * 74);
}

// Each page's offset buttons mark exactly their item's bytes, where the
// analysis found them, and put its first line on top.
TEST_F(DumpPage, OffsetButtonsMarkTheirItemWhereItWasFound) {
  load(sampleRom());
  click(page(FontsTab), IDC_FONTS_8X16);
  const BiosLayout& layout = s().Layout;
  struct Button {
    app::Tab tab;
    int id;
    Location item;
    std::size_t length;
  };
  const Button buttons[] = {
      {FontsTab, IDC_FONTS_OFFSET, layout.fonts[Font8x16], fontTableBytes(Font8x16)},
      {FontsTab, IDC_FONTS_FIXUP_OFFSET, layout.fixups[Font8x16].location, layout.fixups[Font8x16].size},
      {StringsTab, IDC_DATE_OFFSET, layout.biosDate.address, layout.biosDate.maxLength},
      {RegistersTab, IDC_REG_SGRAMMODE_OFFSET, layout.registerTable[SGRAMmode].location, 4},
      {PcirTab, IDC_PCIR_OFFSET, layout.pcir, 22},
      {VesaTab, app::kVesaControls[ProductRevision].offset, layout.vesa[ProductRevision].address,
       layout.vesa[ProductRevision].maxLength},
  };
  for (const Button& button : buttons) {
    ASSERT_TRUE(button.item) << button.id;
    click(page(button.tab), button.id);
    const std::size_t first = *button.item, end = first + button.length;
    EXPECT_EQ(dumpColour(hexPosition(first)), RGB(0, 0, 255)) << button.id;
    EXPECT_EQ(dumpColour(hexPosition(end - 1)), RGB(0, 0, 255)) << button.id;
    EXPECT_EQ(dumpColour(hexPosition(end)), 0u) << button.id;
    EXPECT_EQ(topLine(), static_cast<int>(first / 16)) << button.id;
  }
}

}  // namespace
}  // namespace quarzel::test
