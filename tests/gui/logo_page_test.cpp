// The Logo page: BMP files through Load Image, the picture painted on the
// page, and Apply writing the logo block.
#include "gui_fixture.h"

#include "analysis/analysis_pass.h"
#include "analysis/logo/logo_edit.h"
#include "app/main_window.h"
#include "formats/text_format.h"
#include "pages/logo_controls.h"
#include "pages/logo_page.h"
#include "resources/resource.h"
#include "support/bmp_file.h"
#include "support/shared_files.h"

namespace quarzel::test {
namespace {

std::string asText(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }
std::string imageText(const Image& image) { return {reinterpret_cast<const char*>(image.bytes.data()), image.size}; }

class LogoPage : public GuiTest {
 public:
  HWND logo() { return page(LogoTab); }
  void loadPicture(const std::vector<std::uint8_t>& bmp, const std::string& name) {
    platform.openAnswers.push_back(app::ChosenFile{fileWith(asText(bmp), name), name});
    click(logo(), IDC_LOGO_LOAD);
  }
  // The message the last action showed, or "" when it showed none.
  std::string shown() {
    std::string last = platform.messages.empty() ? "" : platform.messages.back();
    platform.messages.clear();
    return last;
  }
  // The page's pixel at (x, y) of the picture, which stands at (16, 112).
  COLORREF pixel(int x, int y) {
    HDC dc = GetDC(logo());
    const COLORREF colour = GetPixel(dc, 16 + x, 112 + y);
    ReleaseDC(logo(), dc);
    return colour;
  }
};

// VGA colour i, which the page paints the picture in.
COLORREF colour(std::size_t i) { return RGB(kVgaColours[i].red, kVgaColours[i].green, kVgaColours[i].blue); }

TEST_F(LogoPage, LoadsOnlyWhatTheBlockCanDrawAndKeepsTheLastGoodPicture) {
  click(logo(), IDC_LOGO_LOAD);
  EXPECT_TRUE(platform.fileDialogs.empty()) << "Load Image before a BIOS";
  load(sampleRom());
  app::showPage(LogoTab);
  loadPicture(with(bmp4(64, 48), 28, 24, 2), "deep.bmp");
  EXPECT_EQ(shown(), "ERROR: Bitmap loading error!!!\nnot a 16-colour (4 bits per pixel) BMP");
  loadPicture(with(bmp4(64, 48), 0, 'B' | 'A' << 8, 2), "ba.bmp");
  EXPECT_EQ(shown(), "ERROR: Bitmap loading error!!!\nnot a BMP file");
  click(logo(), IDC_LOGO_LOAD);  // cancelled
  EXPECT_EQ(shown(), "");
  EXPECT_EQ(text(logo(), IDC_LOGO_WIDTH), "");
  EXPECT_FALSE(enabled(logo(), IDC_APPLY));

  loadPicture(withVgaColours(bmp4(64, 48)), "logo.bmp");
  EXPECT_EQ(shown(), "");
  EXPECT_EQ(text(logo(), IDC_LOGO_NAME), "logo.bmp");
  EXPECT_EQ(text(logo(), IDC_LOGO_WIDTH), "64");
  EXPECT_EQ(text(logo(), IDC_LOGO_HEIGHT), "48");
  EXPECT_TRUE(enabled(logo(), IDC_APPLY));
  // The top row is the file's last stored one: bytes 10h * 47 + column, so
  // its first pixel is colour 15 and its second colour 0; the bottom row
  // starts with colours 0 and 0, then 0 and 1.
  EXPECT_EQ(pixel(0, 0), colour(15));
  EXPECT_EQ(pixel(1, 0), colour(0));
  EXPECT_EQ(pixel(3, 47), colour(1));
  EXPECT_NE(pixel(64, 0), colour(15)) << "painted wider than the picture";

  // Refused files leave the picture, its size and Apply as they were.
  std::vector<std::uint8_t> cut = bmp4(64, 48);
  cut.pop_back();
  loadPicture(cut, "cut.bmp");
  EXPECT_EQ(shown(), "ERROR: Bitmap loading error!!!\nthe BMP file ends before its pixel data");
  loadPicture(bmp4(12, 48), "odd.bmp");
  EXPECT_EQ(shown(), "ERROR: Logo width must be 8, 16, ... or 120 pixels!!!");
  loadPicture(with(bmp4(64, 48), 30, 2, 4), "rle.bmp");
  EXPECT_EQ(shown(), "ERROR: Bitmap format error!!!");
  EXPECT_EQ(text(logo(), IDC_LOGO_NAME), "logo.bmp");
  EXPECT_EQ(pixel(0, 0), colour(15));
}

// A paint program's bars in dark red, red and blue (Windows palette 1, 9
// and 12) show as VGA red, red and blue, as they boot, and the page says
// that two of the file's colours became one.
TEST_F(LogoPage, PaintsThePictureInTheColoursItBootsIn) {
  load(sampleRom());
  app::showPage(LogoTab);
  loadPicture(paintedBars(8, {1, 9, 12}), "bars.bmp");
  EXPECT_EQ(pixel(0, 0), colour(4));
  EXPECT_EQ(pixel(16, 0), colour(4));
  EXPECT_EQ(pixel(32, 7), colour(1));
  EXPECT_EQ(text(logo(), IDC_LOGO_COLOURS), "Colours 1 and 9 of the file both boot as VGA colour 4.");
  loadPicture(paintedBars(8, {9, 10, 12}), "rgb.bmp");
  EXPECT_EQ(text(logo(), IDC_LOGO_COLOURS), "");
}

// Apply writes what the core writes; the page then shows the installed
// logo, a second Apply replaces it in place, and Remove gives back the
// image before the logo, string 1 shown again where it stands.
TEST_F(LogoPage, ApplyReplaceAndRemoveAsTheCoreDoes) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  load(imageText(rom), test::k3k12sd.file);
  EXPECT_EQ(text(logo(), IDC_LOGO_INSTALLED), "No logo in this BIOS.");
  EXPECT_FALSE(enabled(logo(), IDC_LOGO_REMOVE));
  loadPicture(bmp4(64, 48), "logo.bmp");
  Image expected = rom;
  BiosLayout layout;
  AnalysisPass(expected, layout);
  const LogoPicture picture = *readLogoPicture(bmp4(64, 48)).picture;
  ASSERT_TRUE(applyLogo(expected, layout, picture, layout.logoLines).ok());
  click(logo(), IDC_APPLY);
  EXPECT_EQ(shown(), "");
  EXPECT_TRUE(imageText(s().BiosImage) == imageText(expected)) << "the first Apply";
  EXPECT_EQ(text(logo(), IDC_LOGO_INSTALLED), "Logo in this BIOS at 84C0: 64 x 48 pixels.");
  EXPECT_TRUE(enabled(logo(), IDC_LOGO_REMOVE));
  EXPECT_TRUE(enabled(logo(), IDC_LOGO_LINE1)) << "the installed logo carries the lines";
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_OFFSET), formatText("%04X", *layout.bootString1.address));

  relocateSignOn(expected, layout);
  type(logo(), IDC_LOGO_LINE2, "second");
  ASSERT_TRUE(applyLogo(expected, layout, picture, logoLinesWith(layout, {std::nullopt, "second"})).ok());
  click(logo(), IDC_APPLY);
  EXPECT_TRUE(imageText(s().BiosImage) == imageText(expected)) << "the second Apply";
  EXPECT_EQ(text(logo(), IDC_LOGO_INSTALLED), "Logo in this BIOS at 84C0: 64 x 48 pixels.");

  click(logo(), IDC_LOGO_REMOVE);
  EXPECT_EQ(shown(), "");
  EXPECT_TRUE(imageText(s().BiosImage) == imageText(rom)) << "removed";
  EXPECT_EQ(text(logo(), IDC_LOGO_INSTALLED), "No logo in this BIOS.");
  EXPECT_FALSE(enabled(logo(), IDC_LOGO_REMOVE));
  EXPECT_FALSE(enabled(logo(), IDC_LOGO_LINE1)) << "no logo left to carry the lines";
}

// A logo that fits only past the ROM length asks before the ROM grows.
TEST_F(LogoPage, AsksBeforeTheRomGrows) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  load(imageText(rom), test::k3k12sd.file);
  loadPicture(bmp4(120, 127), "big.bmp");
  platform.messageAnswers = {IDNO};
  click(logo(), IDC_APPLY);
  EXPECT_EQ(shown(), "Logo: The logo fits only in the free bytes past the ROM.\nGrow the ROM from 40960 to 49152 bytes?");
  EXPECT_TRUE(imageText(s().BiosImage) == imageText(rom));
  platform.messageAnswers = {IDYES};
  click(logo(), IDC_APPLY);
  EXPECT_EQ(s().BiosImage.bytes[2], 0x60);
  EXPECT_EQ(text(logo(), IDC_LOGO_INSTALLED), "Logo in this BIOS at A000: 120 x 127 pixels.");
}

// The lines take typing only while a picture, loaded or installed, is there
// to carry them; a typed line would otherwise be dropped unwritten.
TEST_F(LogoPage, LinesAreGreyedWithoutAPicture) {
  const auto linesEnabled = [this](const char* when) {
    for (const int id : app::kLogoLineIds) EXPECT_EQ(enabled(logo(), id), app::logoPageState().picture.has_value()) << when;
    return enabled(logo(), IDC_LOGO_LINE1);
  };
  EXPECT_FALSE(linesEnabled("before a BIOS"));
  load(sampleRom());
  app::showPage(LogoTab);
  EXPECT_FALSE(linesEnabled("a BIOS without a logo"));
  const std::string line1 = text(logo(), IDC_LOGO_LINE1);
  type(logo(), IDC_LOGO_LINE1, "dropped");
  EXPECT_EQ(text(logo(), IDC_LOGO_LINE1), line1);
  loadPicture(bmp4(64, 48), "logo.bmp");
  EXPECT_TRUE(linesEnabled("a picture loaded"));
  type(logo(), IDC_LOGO_LINE1, "kept");
  EXPECT_EQ(text(logo(), IDC_LOGO_LINE1), "kept");
  // The focus in a line that greys moves on to Load Image, so the keys keep working.
  SetFocus(GetDlgItem(logo(), IDC_LOGO_LINE1));
  load(sampleRom(), "other.rom");
  EXPECT_FALSE(linesEnabled("the next BIOS"));
  EXPECT_EQ(GetFocus(), GetDlgItem(logo(), IDC_LOGO_LOAD));
}

// String 1 applied: the lines the last fill put there follow it, a line the
// user typed stays.
TEST_F(LogoPage, LinesFollowANewString1UnlessTyped) {
  load(sampleRom());
  loadPicture(bmp4(64, 48), "logo.bmp");
  type(logo(), IDC_LOGO_LINE2, "my own line");
  SetDlgItemTextA(page(StringsTab), IDC_STRING1_TEXT, "New first\r\nNew second\r\nNew third\r\n");
  click(page(StringsTab), IDC_APPLY);
  EXPECT_EQ(text(logo(), IDC_LOGO_LINE1), "New first");
  EXPECT_EQ(text(logo(), IDC_LOGO_LINE2), "my own line");
  EXPECT_EQ(text(logo(), IDC_LOGO_LINE3), "New third");
}

TEST_F(LogoPage, ApplyRefusesWithAReasonAndChangesNothing) {
  const std::string sample = sampleRom();
  Image image = *loadImage(std::vector<std::uint8_t>(sample.begin(), sample.end())).image;
  BiosLayout layout;
  AnalysisPass(image, layout);
  std::string otherVendor = sample, noRoom = sample, noCall = sample;
  otherVendor[*layout.pcir + 4] = 0x1B;
  std::fill(noRoom.begin() + 0x5400, noRoom.begin() + 0x7F00, '\0');
  noCall[*layout.bootCodeAddress] ^= 0x55;
  const struct {
    std::string rom;
    std::string line;
    const char* message;
  } cases[] = {
      {otherVendor, "", "ERROR: Not a 3dfx BIOS!!!\nthe PCI data structure does not name vendor 121Ah (3dfx)"},
      {noRoom, "", "ERROR: No room for the logo!!!\nthe logo needs 2075 bytes of FFh; the largest free run inside the ROM holds 16 bytes"},
      {noCall, "", "ERROR: No sign-on call found for the logo!!!"},
      {sample, std::string(75, 'x'), "ERROR: The logo lines are too long!!!\nthe five logo lines hold more than 374 characters"},
  };
  for (const auto& c : cases) {
    load(c.rom);
    if (!app::logoPageState().picture) loadPicture(bmp4(64, 48), "logo.bmp");
    if (!c.line.empty())
      for (const int id : {IDC_LOGO_LINE1, IDC_LOGO_LINE2, IDC_LOGO_LINE3, IDC_LOGO_LINE4, IDC_LOGO_LINE5})
        type(logo(), id, c.line);
    const std::string before = imageText(s().BiosImage);
    click(logo(), IDC_APPLY);
    EXPECT_EQ(shown(), c.message);
    EXPECT_TRUE(imageText(s().BiosImage) == before) << c.message;
  }
}

}  // namespace
}  // namespace quarzel::test
