// The Fonts page's font files, its two searches and the Select Font dialog,
// driven on the real page and the real dialog template.
#include "gui_fixture.h"

#include "analysis/analysis_pass.h"
#include "formats/code_page_file.h"
#include "formats/edit_result.h"
#include "formats/font_table.h"
#include "formats/glyph_sheet.h"
#include "pages/fonts_page.h"
#include "pages/select_font_dialog.h"
#include "resources/resource.h"
#include "support/shared_files.h"

namespace quarzel::test {
namespace {

// Where the sample keeps its fonts and fix-up tables.
constexpr std::size_t kFont8x8At = 0x1000, kFont8x14At = 0x1800, kFont8x16At = 0x2600;
constexpr std::size_t kFixup8x16At = 0x3700;

std::string imageBytes(std::size_t offset, std::size_t length) {
  return {reinterpret_cast<const char*>(GuiTest::s().BiosImage.bytes.data() + offset), length};
}
std::string wholeImage() { return imageBytes(0, kImageCapacity); }

// A font file whose glyph byte i is seed + i.
std::string fontFile(FontSize size, char seed) {
  std::string bytes(fontTableBytes(size), '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(seed + static_cast<char>(i));
  return bytes;
}

bool sheetBlank() {
  const std::uint8_t* bits = app::fontsPageState().sheet.bits;
  return std::all_of(bits, bits + kGlyphSheetSide * kGlyphSheetSide / 8, [](std::uint8_t b) { return b == 0; });
}

class FontsPage : public GuiTest {
 public:
  HWND fonts() { return page(FontsTab); }
  // Load Font answered with a file of `bytes` named `name`.
  void loadFont(const std::string& bytes, const std::string& name) {
    platform.openAnswers.push_back(app::ChosenFile{fileWith(bytes, name), name});
    click(fonts(), IDC_FONTS_LOAD);
  }
  // Refused, saying why on the message's second line.
  void expectLoadRefused(const std::string& bytes, const std::string& name, const std::string& reason) {
    const std::string before = wholeImage();
    platform.messages.clear();
    loadFont(bytes, name);
    EXPECT_EQ(platform.messages, std::vector<std::string>{"ERROR: FONT loading error!!!\n" + reason}) << name;
    EXPECT_TRUE(wholeImage() == before) << name << " changed the image";
  }
};

TEST_F(FontsPage, BeforeABiosOnlyTheSizeButtonsWork) {
  click(fonts(), IDC_FONTS_8X14);
  EXPECT_EQ(text(fonts(), IDC_FONTS_LOAD), "Load Font 8x14");
  EXPECT_EQ(text(fonts(), IDC_FONTS_OFFSET), "0000");
  EXPECT_EQ(text(fonts(), IDC_FONTS_FIXUP_OFFSET), "0000");
  EXPECT_TRUE(sheetBlank());
  for (const int id : {IDC_FONTS_LOAD, IDC_FONTS_SAVE, IDC_FONTS_SEARCH_GLYPHS, IDC_FONTS_SEARCH_NEIGHBOUR})
    click(fonts(), id);
  EXPECT_TRUE(platform.fileDialogs.empty());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(text(fonts(), IDC_FONTS_OFFSET), "0000");
}

TEST_F(FontsPage, AFontFileIsCheckedWholeBeforeAnythingIsWritten) {
  load(sampleRom());
  // 8x8 is selected.
  expectLoadRefused(fontFile(Font8x14, 1), "wrong.fnt", "wrong.fnt: " + std::string(describe(EditError::FontSizeMismatch)));
  const std::string neither = ": is neither a font file (.fnt) nor a code-page file (.cpi)";
  expectLoadRefused(fontFile(Font8x8, 1), "font.fon", "font.fon" + neither);
  expectLoadRefused(fontFile(Font8x8, 1), "font", "font" + neither);
  expectLoadRefused(fontFile(Font8x8, 1) + "x", "long.fnt", "long.fnt: " + std::string(describe(EditError::FontFileLength)));
  expectLoadRefused(fontFile(Font8x16, 1) + "x", "huge.fnt", "huge.fnt: is larger than 4096 bytes");
  expectLoadRefused(std::string(kCodePageFileLimit + 1, '\xFF'), "huge.cpi", "huge.cpi: is larger than 1048576 bytes");
  const std::size_t runs = platform.modalRuns.size();
  expectLoadRefused("\xFE" "FONT   " + std::string(100, '\0'), "bad.cpi",
                    "bad.cpi: " + std::string(describe(EditError::NotCodePageFile)));
  EXPECT_EQ(platform.modalRuns.size(), runs) << "Select Font opened for a file that is no code-page file";

  // The upper-case extension is a font file; the dump shows the new bytes.
  const std::string font = fontFile(Font8x8, 3);
  loadFont(font, "FONT.FNT");
  EXPECT_EQ(imageBytes(kFont8x8At, font.size()), font);
  EXPECT_FALSE(sheetBlank());
  EXPECT_TRUE(enabled(page(DumpTab), IDC_APPLY));
}

TEST_F(FontsPage, LoadsSyncTheFixupsAndSaveWritesTheTableAsItStands) {
  load(sampleRom());
  click(fonts(), IDC_FONTS_8X16);
  const std::string before = wholeImage();
  const std::string font = fontFile(Font8x16, 5);
  loadFont(font, "new.fnt");
  // The first font dialog starts in the ROM's folder, not the program's.
  const std::string rom = s().loadPath;
  EXPECT_EQ(platform.startPaths.back(), rom.substr(0, rom.find_last_of('\\') + 1));
  EXPECT_EQ(imageBytes(kFont8x16At, font.size()), font);
  EXPECT_EQ(text(fonts(), IDC_FONTS_FIXUP_OFFSET), "3700");
  // Each entry: its code byte kept, then the new font's glyph for that code.
  std::size_t entry = kFixup8x16At;
  for (; before[entry] != 0; entry += 17) {
    EXPECT_EQ(imageBytes(entry, 1), before.substr(entry, 1));
    EXPECT_EQ(imageBytes(entry + 1, 16), font.substr(16 * static_cast<unsigned char>(before[entry]), 16));
  }
  EXPECT_EQ(entry, kFixup8x16At + 2 * 17);
  EXPECT_EQ(imageBytes(entry, 1), std::string(1, '\0'));

  click(fonts(), IDC_FONTS_8X14);
  const std::string font14 = fontFile(Font8x14, 9);
  loadFont(font14, "new14.fnt");
  const std::string saved = tempPath("saved.fnt");
  platform.saveAnswers.push_back(app::ChosenFile{saved, "saved.fnt"});
  click(fonts(), IDC_FONTS_SAVE);
  EXPECT_EQ(readBytes(saved), font14);

  // A new BIOS returns the page to 8x8, which Save then writes. The loaded
  // fonts are in the image at once: the load asks before they go.
  click(fonts(), IDC_FONTS_8X16);
  platform.messageAnswers.push_back(IDNO);
  load(sampleRom());
  platform.saveAnswers.push_back(app::ChosenFile{saved, "saved.fnt"});
  click(fonts(), IDC_FONTS_SAVE);
  EXPECT_EQ(readBytes(saved), imageBytes(kFont8x8At, 2048));
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(FontsPage, AFontThatIsNotLocatedIsNeitherLoadedNorSaved) {
  load("\x55\xAA\x01" + std::string(509, '\0'), "bare.rom");
  const std::string notFound = "Font 8x8: " + std::string(describe(EditError::NotLocated));
  expectLoadRefused(fontFile(Font8x8, 1), "font.fnt", notFound);
  const std::size_t dialogs = platform.fileDialogs.size();
  click(fonts(), IDC_FONTS_SAVE);
  EXPECT_EQ(platform.messages.back(), "ERROR: FONT saving error!!!\n" + notFound);
  EXPECT_EQ(platform.fileDialogs.size(), dialogs) << "a name was asked for nothing to save";
}

// The sample without its font signatures: only the searches find its fonts.
TEST_F(FontsPage, TheSearchesShowWhatTheyFind) {
  std::string rom = sampleRom();
  for (const std::size_t signature : {0x0300u, 0x0330u, 0x0350u}) rom[signature] = '\x90';
  load(rom);
  click(fonts(), IDC_FONTS_8X14);
  click(fonts(), IDC_FONTS_SEARCH_NEIGHBOUR);  // needs the 8x8 font
  EXPECT_EQ(text(fonts(), IDC_FONTS_OFFSET), "0000");
  click(fonts(), IDC_FONTS_8X8);
  click(fonts(), IDC_FONTS_SEARCH_GLYPHS);
  EXPECT_EQ(text(fonts(), IDC_FONTS_OFFSET), "1000");
  click(fonts(), IDC_FONTS_8X14);
  click(fonts(), IDC_FONTS_SEARCH_NEIGHBOUR);
  EXPECT_EQ(text(fonts(), IDC_FONTS_OFFSET), "1800");
  EXPECT_EQ(text(fonts(), IDC_FONTS_LOAD), "Load Font 8x14");
  EXPECT_EQ(IsDlgButtonChecked(fonts(), IDC_FONTS_8X14), BST_CHECKED);
  EXPECT_FALSE(sheetBlank());
}

// Select Font over the real EGA2.CPI.
class SelectFont : public FontsPage {
 public:
  void SetUp() override {
    FontsPage::SetUp();
    const auto bytes = readSharedFile("data/EGA2.CPI");
    if (!bytes) GTEST_SKIP() << kSharedDataAbsent << "EGA2.CPI";
    cpi = std::string(bytes->begin(), bytes->end());
    file = *parseCodePageFile(*bytes).file;
    load(sampleRom());
  }
  // Load Font with the code-page file; `script` drives Select Font.
  void importWith(DialogScript script) {
    platform.openAnswers.push_back(app::ChosenFile{fileWith(cpi, "EGA2.CPI"), "EGA2.CPI"});
    runDialog(fonts(), IDC_FONTS_LOAD, std::move(script));
  }
  std::string fontOf(std::uint16_t codePage, FontSize size) const {
    for (const UsableFont& font : usableFonts(file, codePage))
      if (font.size == size) return {font.glyphs.begin(), font.glyphs.end()};
    return {};
  }
  std::string cpi;
  CodePageFile file;
};

// Presses the mouse on list item `index`, as a user picks a code page.
void clickItem(HWND dialog, int index) {
  HWND list = GetDlgItem(dialog, IDC_SELECT_FONT_LIST);
  RECT item{};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 2, item.top + 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

std::string itemText(HWND dialog, int index) {
  char item[16] = {};
  SendDlgItemMessageA(dialog, IDC_SELECT_FONT_LIST, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
  return item;
}

// Runs the dialog's own loop until the preview shows `codePage`, at most 2 s.
bool waitForPreview(std::uint16_t codePage) {
  const DWORD start = GetTickCount();
  while (app::codePagePreviewState().codePage != codePage && GetTickCount() - start < 2000) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  return app::codePagePreviewState().codePage == codePage;
}

TEST_F(SelectFont, ListsTheCodePagesAndAppliesTheTickedFontOfTheOneShown) {
  const std::string before = wholeImage();
  importWith([&](HWND dialog) {
    char title[64] = {};
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Select Font [EGA2.CPI]");
    EXPECT_EQ(itemText(dialog, 0), "1116");
    EXPECT_EQ(itemText(dialog, 4), "775");
    EXPECT_EQ(app::codePagePreviewState().codePage, 1116);
    for (const int box : {IDC_SELECT_FONT_8X16, IDC_SELECT_FONT_8X14, IDC_SELECT_FONT_8X8})
      EXPECT_EQ(IsDlgButtonChecked(dialog, box), BST_UNCHECKED);
    clickItem(dialog, 1);
    EXPECT_TRUE(waitForPreview(1117));
    const auto preview = codePagePreview(file, 1117);
    EXPECT_TRUE(std::equal(preview.begin(), preview.end(), app::codePagePreviewState().picture.bits));
    click(dialog, IDC_SELECT_FONT_8X16);
    click(dialog, IDOK);
  });
  EXPECT_EQ(imageBytes(kFont8x16At, 4096), fontOf(1117, Font8x16));
  // Only the 8x16 table and the fix-up tables changed.
  for (std::size_t i = 0; i < kImageCapacity; ++i) {
    const bool inFont = i >= kFont8x16At && i < kFont8x16At + 4096;
    const bool inFixups = i >= 0x3600 && i < 0x3800;
    if (!inFont && !inFixups && s().BiosImage.bytes[i] != static_cast<std::uint8_t>(before[i]))
      ADD_FAILURE() << "byte " << std::hex << i << " changed";
  }
  EXPECT_EQ(imageBytes(kFixup8x16At + 1, 16), fontOf(1117, Font8x16).substr(16 * 'M', 16));
  EXPECT_EQ(app::codePagePreviewState().picture.bitmap, nullptr) << "the preview outlived the dialog";
}

TEST_F(SelectFont, CancelCopiesNothingAndApplyOnlyWhatIsShownAndTicked) {
  const std::string sample = wholeImage();
  // Cancel, and the frame's close box, copy nothing; the fix-ups still follow
  // the fonts the BIOS has.
  importWith([&](HWND dialog) {
    click(dialog, IDC_SELECT_FONT_8X8);
    click(dialog, IDCANCEL);
  });
  importWith([&](HWND dialog) {
    click(dialog, IDC_SELECT_FONT_8X8);
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(imageBytes(0, 0x3600), sample.substr(0, 0x3600));
  EXPECT_EQ(imageBytes(kFixup8x16At + 1, 16), sample.substr(kFont8x16At + 16 * 'M', 16));
  // Apply with nothing ticked copies no font.
  importWith([&](HWND dialog) { click(dialog, IDOK); });
  EXPECT_EQ(imageBytes(0, 0x3600), sample.substr(0, 0x3600));
  // A new selection that the timer has not drawn yet is not what Apply takes.
  importWith([&](HWND dialog) {
    clickItem(dialog, 1);
    click(dialog, IDC_SELECT_FONT_8X8);
    click(dialog, IDOK);
  });
  EXPECT_EQ(imageBytes(kFont8x8At, 2048), fontOf(1116, Font8x8));
  EXPECT_EQ(imageBytes(kFont8x14At, 3584), sample.substr(kFont8x14At, 3584));
}

}  // namespace
}  // namespace quarzel::test
