// The Video Modes page shows a mode as the BIOS sets it, in builds with 6-
// and with 5-byte extended records and in one that numbers its modes anew.
#include "gui_fixture.h"

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
  const char* file;
  int row;
  const char *thisBios, *record, *entry, *clock, *refresh, *pllWord;
};

TEST_F(VideoModesPage, ShowsTheRecordAndTimingTheBiosUses) {
  for (const Shown& c : {Shown{"Agp_sg.rom", 49, "VESA 105h, mode 5Eh", "15", "15", "65.0045 MHz", "60.01 Hz", "E15D"},
                         Shown{"BlasterAGP.rom", 52, "VESA 107h, mode 6Bh", "29", "29", "107.983 MHz", "60.01 Hz",
                               "B358"},
                         Shown{"3k12sd.rom", 21, "VESA 120h, mode 78h", "33", "33", "12.5881 MHz", "70.09 Hz",
                               "D1EA"}}) {
    const auto rom = readSharedFile(std::string("roms/") + c.file);
    if (!rom) GTEST_SKIP() << c.file << " absent";
    load(std::string(rom->begin(), rom->end()), c.file);
    selectRow(c.row);
    HWND modes = page(ModesTab);
    EXPECT_EQ(text(modes, IDC_MODES_THIS_BIOS), c.thisBios) << c.file;
    EXPECT_EQ(text(modes, IDC_MODES_RECORD), c.record) << c.file;
    EXPECT_EQ(text(modes, IDC_MODES_ENTRY), c.entry) << c.file;
    EXPECT_EQ(text(modes, IDC_MODES_PIXEL_CLOCK), c.clock) << c.file;
    EXPECT_EQ(text(modes, IDC_MODES_REFRESH), c.refresh) << c.file;
    EXPECT_EQ(text(modes, IDC_MODES_CLOCK), c.pllWord) << c.file;
  }
}

}  // namespace
}  // namespace quarzel::test
