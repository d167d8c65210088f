// Every page shows the image as it now is after a change made elsewhere,
// and an Apply with nothing edited writes no byte.
#include "gui_fixture.h"

#include "app/main_window.h"
#include "pages/logo_page.h"
#include "resources/resource.h"
#include "support/bmp_file.h"
#include "support/shared_files.h"

namespace quarzel::test {
namespace {

std::string imageText(const Image& image) { return {reinterpret_cast<const char*>(image.bytes.data()), image.size}; }

// Apply as if pressed, enabled or not.
void apply(HWND page) {
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_APPLY)));
}

class PageRefresh : public GuiTest {
 public:
  HWND logo() { return page(LogoTab); }
  void loadPicture(int width, int height) {
    const std::vector<std::uint8_t> bmp = bmp4(width, height);
    platform.openAnswers.push_back(app::ChosenFile{fileWith({bmp.begin(), bmp.end()}, "logo.bmp"), "logo.bmp"});
    click(logo(), IDC_LOGO_LOAD);
  }
  void expectNoPicture(const char* after) {
    EXPECT_FALSE(app::logoPageState().picture) << after;
    for (const int id : {IDC_LOGO_NAME, IDC_LOGO_WIDTH, IDC_LOGO_HEIGHT}) EXPECT_EQ(text(logo(), id), "") << after;
    EXPECT_FALSE(enabled(logo(), IDC_APPLY)) << after;
  }
};

// The logo grows the ROM from 40 to 48 KiB: the PCIR page says so at once,
// and still after Save has fixed the checksum.
TEST_F(PageRefresh, PcirImageSizeFollowsAGrownRomAndSave) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  load(imageText(rom), test::k3k12sd.file);
  HWND pcir = page(PcirTab);
  EXPECT_EQ(text(pcir, IDC_PCIR_IMAGE_SIZE), "40k");
  loadPicture(120, 127);
  platform.messageAnswers = {IDYES};
  click(logo(), IDC_APPLY);
  ASSERT_EQ(s().BiosImage.bytes[2], 0x60);
  EXPECT_EQ(text(pcir, IDC_PCIR_IMAGE_SIZE), "48k") << "after the grow";
  platform.saveAnswers.push_back(app::ChosenFile{tempPath("grown.rom"), "grown.rom"});
  command(IDM_SAVE);
  EXPECT_EQ(readBytes(tempPath("grown.rom")).at(2), '\x60');
  EXPECT_EQ(text(pcir, IDC_PCIR_IMAGE_SIZE), "48k") << "after Save";
}

// A picture loaded from a file and never applied is not carried into the
// next BIOS; the installed logo is shown, but is no edit to apply.
TEST_F(PageRefresh, LogoPageForgetsItsPictureOnANewLoad) {
  load(sampleRom());
  expectNoPicture("a load without a logo");
  loadPicture(64, 48);
  EXPECT_TRUE(enabled(logo(), IDC_APPLY));
  load(sampleRom(), "other.rom");
  expectNoPicture("the next load");
  const std::string before = imageText(s().BiosImage);
  apply(logo());
  EXPECT_TRUE(imageText(s().BiosImage) == before) << "Apply wrote the old picture";

  loadPicture(64, 48);
  click(logo(), IDC_APPLY);
  EXPECT_EQ(text(logo(), IDC_LOGO_NAME), "in the BIOS");
  EXPECT_FALSE(enabled(logo(), IDC_APPLY)) << "the installed logo is no edit";
  type(logo(), IDC_LOGO_LINE1, "new line");
  EXPECT_TRUE(enabled(logo(), IDC_APPLY)) << "new lines for it are";
}

TEST_F(PageRefresh, LogoPageForgetsTheRemovedLogo) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  load(imageText(rom), test::k3k12sd.file);
  loadPicture(64, 48);
  click(logo(), IDC_APPLY);
  ASSERT_TRUE(enabled(logo(), IDC_LOGO_REMOVE));
  click(logo(), IDC_LOGO_REMOVE);
  EXPECT_EQ(text(logo(), IDC_LOGO_INSTALLED), "No logo in this BIOS.");
  expectNoPicture("Remove Logo");
  apply(logo());
  EXPECT_TRUE(imageText(s().BiosImage) == imageText(rom)) << "Apply after Remove";
}

// Each page's Apply with nothing edited, on every real image: not a byte
// changes, and the Exit question finds nothing to save.
class UntouchedApply : public GuiTest, public ::testing::WithParamInterface<RealRom> {};

TEST_P(UntouchedApply, WritesNoByte) {
  QUARZEL_REAL_ROM(rom, GetParam());
  load(imageText(rom), GetParam().file);
  HWND modes = page(ModesTab);
  for (const int row : {0, 49}) {
    SendDlgItemMessageA(modes, IDC_MODES_LIST, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageA(modes, WM_COMMAND, MAKEWPARAM(IDC_MODES_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(modes, IDC_MODES_LIST)));
    EXPECT_FALSE(enabled(modes, IDC_APPLY)) << "row " << row;
    apply(modes);
  }
  for (const app::Tab tab : {StringsTab, RegistersTab, VesaTab, LogoTab, DumpTab}) {
    EXPECT_FALSE(enabled(page(tab), IDC_APPLY)) << "tab " << tab;
    apply(page(tab));
    EXPECT_TRUE(imageText(s().BiosImage) == imageText(rom)) << "tab " << tab;
  }
  EXPECT_TRUE(imageText(s().BiosImage) == imageText(rom)) << "Video Modes";
  EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
}

INSTANTIATE_TEST_SUITE_P(RealRoms, UntouchedApply, ::testing::ValuesIn(kRealRoms), RealRomName{});

}  // namespace
}  // namespace quarzel::test
