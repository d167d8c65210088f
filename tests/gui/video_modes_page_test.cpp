// The Video Modes page shows a mode as the BIOS sets it, in builds with 6-
// and with 5-byte extended records and in one that numbers its modes anew.
#include "gui_fixture.h"

#include "analysis/analysis_pass.h"
#include "analysis/modes/refresh_edit.h"
#include "analysis/modes/video_modes.h"
#include "resources/resource.h"
#include "support/shared_files.h"

namespace quarzel::test {
namespace {

using VideoModesPage = GuiTest;

void selectRow(int row) {
  HWND modes = app::pageWindow(ModesTab);
  SendDlgItemMessageA(modes, IDC_MODES_LIST, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageA(modes, WM_COMMAND, MAKEWPARAM(IDC_MODES_LIST, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(modes, IDC_MODES_LIST)));
}

struct Shown {
  test::RealRom rom;
  int row;
  const char *thisBios, *record, *entry, *clock, *refresh, *pllWord;
};

TEST_F(VideoModesPage, ShowsTheRecordAndTimingTheBiosUses) {
  for (const Shown& c :
       {Shown{test::kAgpSg, 49, "VESA 105h, mode 5Eh", "15", "15", "65.0045 MHz", "60.01 Hz", "E15D"},
        Shown{test::kBlasterAgp, 52, "VESA 107h, mode 6Bh", "29", "29", "107.983 MHz", "60.01 Hz", "B358"},
        Shown{test::k3k12sd, 21, "VESA 120h, mode 78h", "33", "33", "12.5881 MHz", "70.09 Hz", "D1EA"}}) {
    const auto rom = readSharedFile(std::string("roms/") + c.rom.file);
    if (!rom) GTEST_SKIP() << kRealImageAbsent << c.rom;
    load(std::string(rom->begin(), rom->end()), c.rom.file);
    selectRow(c.row);
    HWND modes = page(ModesTab);
    EXPECT_EQ(text(modes, IDC_MODES_THIS_BIOS), c.thisBios) << c.rom;
    EXPECT_EQ(text(modes, IDC_MODES_RECORD), c.record) << c.rom;
    EXPECT_EQ(text(modes, IDC_MODES_ENTRY), c.entry) << c.rom;
    EXPECT_EQ(text(modes, IDC_MODES_PIXEL_CLOCK), c.clock) << c.rom;
    EXPECT_EQ(text(modes, IDC_MODES_REFRESH), c.refresh) << c.rom;
    EXPECT_EQ(text(modes, IDC_MODES_CLOCK), c.pllWord) << c.rom;
  }
}

// Picks the rate as the user does, by its text.
void chooseRate(const char* rate) {
  HWND modes = app::pageWindow(ModesTab);
  const LRESULT item = SendDlgItemMessageA(modes, IDC_MODES_RATES, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(rate));
  ASSERT_NE(item, CB_ERR) << rate;
  SendDlgItemMessageA(modes, IDC_MODES_RATES, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(modes, WM_COMMAND, MAKEWPARAM(IDC_MODES_RATES, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(modes, IDC_MODES_RATES)));
}

std::string imageText(const Image& image) { return {reinterpret_cast<const char*>(image.bytes.data()), image.size}; }

// The rates of 1024x768: the BIOS's own timing marked and chosen, which is
// no edit; a standard rate shows what it makes at once, and the modes it
// changes too. Apply writes 85 Hz as the core does, and 85 Hz is then the
// BIOS's own. A text mode has no rates.
TEST_F(VideoModesPage, AppliesAStandardRefreshRate) {
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  load(imageText(rom), test::kAgpSg.file);
  HWND modes = page(ModesTab);
  selectRow(49);
  EXPECT_EQ(SendDlgItemMessageA(modes, IDC_MODES_RATES, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(text(modes, IDC_MODES_RATES), "60.01 Hz (this BIOS)");
  EXPECT_FALSE(enabled(modes, IDC_APPLY));
  EXPECT_EQ(text(modes, IDC_MODES_CHANGED_WITH), "Also sets 117h, 118h.");
  chooseRate("60 Hz");
  EXPECT_TRUE(enabled(modes, IDC_APPLY));
  chooseRate("60.01 Hz (this BIOS)");
  EXPECT_FALSE(enabled(modes, IDC_APPLY));
  EXPECT_EQ(text(modes, IDC_MODES_RATE_TIMING), "");
  chooseRate("85 Hz");
  EXPECT_EQ(text(modes, IDC_MODES_RATE_TIMING), "94.5 MHz, 68.68 kHz, 85.00 Hz");
  EXPECT_EQ(text(modes, IDC_MODES_REFRESH), "60.01 Hz") << "the image's own until Apply";
  click(modes, IDC_APPLY);
  EXPECT_TRUE(platform.messages.empty());
  Image expected = rom;
  BiosLayout layout;
  AnalysisPass(expected, layout);
  ASSERT_TRUE(applyRefresh(expected, layout, {1024, 768}, 85).ok());
  EXPECT_TRUE(imageText(s().BiosImage) == imageText(expected));
  EXPECT_EQ(text(modes, IDC_MODES_REFRESH), "85.00 Hz");
  EXPECT_EQ(text(modes, IDC_MODES_PIXEL_CLOCK), "94.5 MHz");
  EXPECT_EQ(text(modes, IDC_MODES_RATES), "85.00 Hz (this BIOS)");
  EXPECT_FALSE(enabled(modes, IDC_APPLY));
  selectRow(6);
  EXPECT_FALSE(enabled(modes, IDC_APPLY));
  EXPECT_EQ(SendDlgItemMessageA(modes, IDC_MODES_RATES, CB_GETCOUNT, 0, 0), 0);
}

// An entry that 320x200 shares with 1024x768: Apply names why and changes nothing.
TEST_F(VideoModesPage, ARefusedRateNamesItsReason) {
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  Image shared = rom;
  BiosLayout layout;
  AnalysisPass(shared, layout);
  shared.bytes[*layout.extendedModeTable + 6 * 37 + 3] = 15;  // mode 10Eh's index
  load(imageText(shared), "shared.rom");
  selectRow(49);
  chooseRate("85 Hz");
  EXPECT_EQ(text(page(ModesTab), IDC_MODES_RATE_TIMING), describe(EditError::SharedParameterEntry));
  click(page(ModesTab), IDC_APPLY);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], std::string("ERROR: Refresh rate error!!!\n") + describe(EditError::SharedParameterEntry));
  EXPECT_TRUE(imageText(s().BiosImage) == imageText(shared));
}

// The list heads each row with the loaded BIOS's mode number: 3k12sd.rom
// calls 320x200 8 bpp 120h, Agp_sg.rom keeps the list's 180h; the selected
// row stays selected.
TEST_F(VideoModesPage, RowsCarryTheBiosModeNumbers) {
  const auto own = readSharedFile(std::string("roms/") + test::k3k12sd.file);
  const auto list = readSharedFile(std::string("roms/") + test::kAgpSg.file);
  if (!own || !list) GTEST_SKIP() << "shared/roms absent";
  HWND modes = page(ModesTab);
  const auto row = [&](int index) {
    char buffer[128] = {};
    SendDlgItemMessageA(modes, IDC_MODES_LIST, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer);
  };
  load(std::string(own->begin(), own->end()), test::k3k12sd.file);
  selectRow(21);
  EXPECT_EQ(row(21), "Mode 120h  - 320x200 8 bpp (8x8 Font)");
  EXPECT_EQ(row(22), "Mode 10Eh  - 320x200 16 bpp (8x8 Font)");
  load(std::string(list->begin(), list->end()), test::kAgpSg.file);
  EXPECT_EQ(row(21), "Mode 180h  - 320x200 8 bpp (8x8 Font)");
  EXPECT_EQ(SendDlgItemMessageA(modes, IDC_MODES_LIST, LB_GETCURSEL, 0, 0), 21);
  EXPECT_EQ(SendDlgItemMessageA(modes, IDC_MODES_LIST, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(kVideoModeCount));
}

}  // namespace
}  // namespace quarzel::test
