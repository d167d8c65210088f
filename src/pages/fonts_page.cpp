// FontsPage: one of the three VGA text fonts as a sheet of its 256 glyphs.
#include "pages/fonts_page.h"

#include "analysis/fonts/font_searches.h"
#include "formats/glyph_sheet.h"
#include "pages/analysis_refresh.h"
#include "pages/boot_screen_window.h"
#include "pages/dump_page.h"
#include "pages/font_files.h"
#include "pages/pages.h"
#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"
#include "ui/error_messages.h"

namespace quarzel::app {

namespace {

HWND fontsPage() { return pageWindow(FontsTab); }

FontsPageState fonts;

FontSize& fontSize() { return fonts.size; }

// Client pixel position of the sheet.
constexpr int kSheetX = 150, kSheetY = 75;

struct SizeCaptions {
  const char* load;
  const char* save;
};
constexpr SizeCaptions kCaptions[] = {
    {"Load Font 8x8", "Save Font 8x8"}, {"Load Font 8x14", "Save Font 8x14"}, {"Load Font 8x16", "Save Font 8x16"}};

void setCaptions(HWND page, FontSize size) {
  const SizeCaptions& captions = kCaptions[size];
  setText(page, IDC_FONTS_LOAD, captions.load);
  setText(page, IDC_FONTS_SAVE, captions.save);
}

void renderSheet(FontSize size) {
  showPixels(fonts.sheet, renderGlyphSheet(state().BiosImage, state().Layout.fonts[size], size));
}

// Invalidating the sheet's area (erasing it) repaints it whether the page is
// shown now or later: a blank sheet after a full one must clear the glyphs.
void redrawSheet(HWND page) {
  const int side = static_cast<int>(kGlyphSheetSide);
  const RECT area{kSheetX, kSheetY, kSheetX + side, kSheetY + side};
  InvalidateRect(page, &area, TRUE);
  UpdateWindow(page);
}

// A new page starts at the 8x8 font with a blank sheet and the files of
// this run forgotten.
void initFontsPage() {
  const int side = static_cast<int>(kGlyphSheetSide);
  fonts = FontsPageState{};
  fonts.sheet = createMonochromeBitmap(side, side);
  forgetFontFilePaths();
}

void destroyFontsPage(HWND page) {
  releasePageDC(fonts.dc, page);
  deleteMonochromeBitmap(fonts.sheet);
}

// The offset buttons mark the font table, or the fix-up table of the 8x14
// and 8x16 fonts (the 8x8 font has none).
void showFontInDump() { showItemInDump(state().Layout.fonts[fontSize()], fontTableBytes(fontSize())); }

void showFixupInDump() {
  if (fontSize() == Font8x8) return;
  const FixupTable& fixup = state().Layout.fixups[fontSize()];
  showItemInDump(fixup.location, fixup.size);
}

void showFixupOffset(HWND page, FontSize size) {
  if (size == Font8x8)
    setText(page, IDC_FONTS_FIXUP_OFFSET, "0");
  else
    setOffsetCaption(page, IDC_FONTS_FIXUP_OFFSET, state().Layout.fixups[size].location.value_or(0));
}

// The sheet, the dump (the new bytes red) and the offsets follow a load at
// once; a load that fails has changed nothing.
void loadFont(HWND page) {
  const FontSize size = fontSize();
  const FileOutcome loaded = loadFontFile(size);
  if (loaded.result == FileResult::Error) showError(page, headline(Task::FontLoad), loaded.reason);
  if (loaded.result != FileResult::Done) return;
  const BusyGuard busy;
  imageChanged();
}

void saveFont(HWND page) {
  const FileOutcome saved = saveFontFile(fontSize());
  if (saved.result == FileResult::Error) showError(page, headline(Task::FontSave), saved.reason);
}

// Sets the size, renders its sheet, sets the Load/Save captions and both
// offset buttons, and redraws the sheet.
void showFontSize(FontSize size) {
  HWND page = fontsPage();
  fontSize() = size;
  renderSheet(size);
  setCaptions(page, size);
  setOffsetCaption(page, IDC_FONTS_OFFSET, state().Layout.fonts[size].value_or(0));
  showFixupOffset(page, size);
  redrawSheet(page);
}

// A search that finds the font shows it as a radio button would.
void search(bool (*searchFor)(const Image&, BiosLayout&, FontSize)) {
  if (searchFor(state().BiosImage, state().Layout, fontSize())) showFontSize(fontSize());
}

}  // namespace

const FontsPageState& fontsPageState() { return fonts; }


void refreshFontsPage() { showFontSize(fontSize()); }

void resetFontsPage() { setText(fontsPage(), IDC_FONTS_OFFSET, "0"); }

void fillFontsPage() {
  const Location& font = state().Layout.fonts[Font8x8];
  if (font) setOffsetCaption(fontsPage(), IDC_FONTS_OFFSET, *font);
}

// The offset button already holds the 8x8 offset that the pass wrote.
void resetFontsPageAfterLoad() {
  HWND page = fontsPage();
  CheckRadioButton(page, IDC_FONTS_8X8, IDC_FONTS_8X16, IDC_FONTS_8X8);
  fontSize() = Font8x8;
  setCaptions(page, Font8x8);
  showFixupOffset(page, Font8x8);
  renderSheet(Font8x8);
  redrawSheet(page);
}

INT_PTR CALLBACK FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: initFontsPage(); return TRUE;
    case WM_SHOWWINDOW: holdPageDCWhileShown(fonts.dc, page, wParam != FALSE); return FALSE;
    case WM_PAINT: paintBitmap(page, fonts.dc, kSheetX, kSheetY, fonts.sheet.bitmap); return TRUE;
    case WM_DESTROY: destroyFontsPage(page); return FALSE;
    case WM_COMMAND: break;
    default: return FALSE;
  }
  switch (LOWORD(wParam)) {
    case IDC_FONTS_8X8: showFontSize(Font8x8); return TRUE;
    case IDC_FONTS_8X14: showFontSize(Font8x14); return TRUE;
    case IDC_FONTS_8X16: showFontSize(Font8x16); return TRUE;
    case IDC_FONTS_OFFSET: showFontInDump(); return TRUE;
    case IDC_FONTS_FIXUP_OFFSET: showFixupInDump(); return TRUE;
    default: break;
  }
  // The file commands and the searches need a BIOS.
  if (!state().imageLoaded) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_FONTS_LOAD: loadFont(page); return TRUE;
    case IDC_FONTS_SAVE: saveFont(page); return TRUE;
    case IDC_FONTS_SEARCH_GLYPHS: search(glyphSearch); return TRUE;
    case IDC_FONTS_SEARCH_NEIGHBOUR: search(neighbourSearch); return TRUE;
    case IDC_BOOT_SCREEN: showBootScreen(); return TRUE;
    default: return FALSE;
  }
}

}  // namespace quarzel::app
