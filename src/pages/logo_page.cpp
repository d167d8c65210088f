// LogoPage: the boot logo's picture, loaded from a 16-colour BMP file, and
// its five text lines; Apply writes the logo block into free space of the
// ROM and points the sign-on call at it.
#include <algorithm>

#include "analysis/analysis_pass.h"
#include "analysis/strings/boot_string1.h"
#include "analysis/logo/logo_edit.h"
#include "formats/bmp_picture.h"
#include "formats/file_io.h"
#include "formats/text_format.h"
#include "pages/analysis_refresh.h"
#include "pages/boot_screen_window.h"
#include "pages/logo_controls.h"
#include "pages/logo_page.h"
#include "pages/pages.h"
#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"
#include "ui/error_messages.h"

namespace quarzel::app {

namespace {

// Client pixel position of the picture, below the name and size fields.
constexpr int kPictureX = 16, kPictureY = 112;
// What Apply reads from each line's edit.
constexpr int kLineCharsRead = static_cast<int>(kLogoLineChars);

LogoPageState logo;

FileDialog loadDialog() {
  return {state().MainWindow, "Load BMP", {{"16-colors uncompressed BMP files (*.bmp)", "*.bmp"}}};
}

// A BITMAPINFO with the 16 colours of a 4-bit picture.
struct SixteenColourInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[kLogoColours];
};

// The picture as the card shows it: its rows, top first, in the VGA colours
// the logo block draws them in.
HBITMAP makeBitmap(const LogoPicture& picture) {
  SixteenColourInfo info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = picture.width;
  info.header.biHeight = -picture.height;  // negative: top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = 4;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = kLogoColours;
  for (std::size_t i = 0; i < kLogoColours; ++i)
    info.colours[i] = {kVgaColours[i].blue, kVgaColours[i].green, kVgaColours[i].red, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(logo.dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  // Rows of a width that is a multiple of 8 need no padding.
  std::copy(picture.rows.begin(), picture.rows.end(), static_cast<std::uint8_t*>(bits));
  return bitmap;
}

RECT pictureArea(const LogoPicture& picture) {
  return {kPictureX, kPictureY, kPictureX + picture.width, kPictureY + picture.height};
}

// The new picture takes the old one's place at once; the old one's area is
// erased, in case the new one is smaller.
void redrawPictures(HWND page, const RECT& previous) {
  InvalidateRect(page, &previous, TRUE);
  const RECT area = pictureArea(*logo.picture);
  InvalidateRect(page, &area, FALSE);
  UpdateWindow(page);
}

bool isLineEdit(int id) { return std::ranges::find(kLogoLineIds, id) != kLogoLineIds.end(); }

// The lines take typing only while a picture, installed or loaded, is there
// to carry them: Apply writes none without one. A line losing the focus
// hands it to Load Image, which brings a picture, so the keys keep working.
void enableLines(HWND page, bool on) {
  HWND focus = GetFocus();
  if (!on && IsChild(page, focus) && isLineEdit(GetDlgCtrlID(focus)))
    SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_LOGO_LOAD)), TRUE);
  for (const int id : kLogoLineIds) enable(page, id, on);
}

// The picture takes the place of the one shown: its bitmap, name, size and
// the colours it merges. A refused bitmap leaves the previous picture.
// Apply is left to the caller: the installed logo's picture is no edit.
bool showPicture(HWND page, LogoPicture picture, const std::string& name) {
  HBITMAP bitmap = makeBitmap(picture);
  if (!bitmap) return false;
  if (logo.bitmap) DeleteObject(logo.bitmap);
  logo.bitmap = bitmap;
  const RECT previous = logo.picture ? pictureArea(*logo.picture) : RECT{};
  logo.picture = std::move(picture);
  setAnsiText(page, IDC_LOGO_NAME, name);
  setText(page, IDC_LOGO_WIDTH, std::to_string(logo.picture->width));
  setText(page, IDC_LOGO_HEIGHT, std::to_string(logo.picture->height));
  setText(page, IDC_LOGO_COLOURS, mergedColoursText(*logo.picture));
  enableLines(page, true);
  redrawPictures(page, previous);
  return true;
}

// No picture: the fields empty, the old one's area erased, Apply and the
// lines disabled.
void clearPicture(HWND page) {
  if (logo.picture) {
    const RECT area = pictureArea(*logo.picture);
    InvalidateRect(page, &area, TRUE);
  }
  logo.picture.reset();
  if (logo.bitmap) DeleteObject(logo.bitmap);
  logo.bitmap = nullptr;
  for (const int id : {IDC_LOGO_NAME, IDC_LOGO_WIDTH, IDC_LOGO_HEIGHT, IDC_LOGO_COLOURS}) setText(page, id, "");
  enable(page, IDC_APPLY, false);
  enableLines(page, false);
  UpdateWindow(page);
}

// Everything is read and checked, and the bitmap made, before the page
// changes: a refused file leaves the previous picture whole and usable.
void loadPicture(HWND page) {
  const auto chosen = platform().openFile(loadDialog(), dialogStart(logo.loadPath, state().loadPath));
  if (!chosen) return;
  logo.loadPath = chosen->path;
  LogoFileRead file = readLogoFile(chosen->path);
  if (!file.picture) {
    if (file.error)
      showError(page, refusalMessage(Task::BitmapLoad, *file.error).c_str());
    else
      showError(page, headline(Task::BitmapLoad), file.fileError);
    return;
  }
  if (!showPicture(page, std::move(*file.picture), chosen->title)) {
    showError(page, refusalMessage(Task::BitmapLoad, EditError::BmpCompressed).c_str());
    return;
  }
  enable(page, IDC_APPLY, true);
}

// The installed logo, or that there is none, and whether it can be removed;
// the page's picture becomes the installed one, or none.
void showInstalled(HWND page) {
  const BiosLayout& layout = state().Layout;
  const auto& installed = layout.logo;
  setText(page, IDC_LOGO_INSTALLED,
          !installed ? "No logo in this BIOS."
                     : formatText("Logo in this BIOS at %04zX: %d x %d pixels%s", installed->block.base,
                                  installed->block.width, installed->block.height,
                                  installed->block.savedCode ? "." : ", written by an earlier quarzel."));
  enable(page, IDC_LOGO_REMOVE, installed && installed->block.savedCode);
  for (std::size_t k = 0; k < kLogoLines; ++k) setAnsiText(page, kLogoLineIds[k], layout.logoLines[k]);
  clearPicture(page);
  if (installed) showPicture(page, blockPicture(state().BiosImage, installed->block), "in the BIOS");
}

// After the logo is written or removed: the sign-on string and the logo
// found anew, string 1 and this page shown as they now stand.
void afterLogoEdit(HWND page) {
  AppState& s = state();
  relocateSignOn(s.BiosImage, s.Layout);
  refillString1();
  showInstalled(page);
  imageChanged();
}

// A logo that fits only past the ROM length grows the ROM when the user
// agrees, with the sizes before and after.
EditResult applyWithRoom(HWND page, const LogoLines& lines) {
  AppState& s = state();
  const EditResult result = applyLogo(s.BiosImage, s.Layout, *logo.picture, lines);
  if (result.error != EditError::LogoNeedsGrowth) return result;
  Image grown = s.BiosImage;
  const EditResult growing = applyLogo(grown, s.Layout, *logo.picture, lines, true);
  const std::string question =
      formatText("The logo fits only in the free bytes past the ROM.\nGrow the ROM from %zu to %zu bytes?",
                 romLength(s.BiosImage), romLength(grown));
  if (platform().messageBox(page, question.c_str(), "Logo", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return EditResult::failed(EditError::LogoNeedsGrowth);
  s.BiosImage = grown;
  return growing;
}

void applyPicture(HWND page) {
  AppState& s = state();
  if (!logo.picture) return;
  const BusyGuard busy;
  std::array<std::optional<std::string>, kLogoLines> given;
  for (std::size_t k = 0; k < kLogoLines; ++k) given[k] = getAnsiText(page, kLogoLineIds[k], kLineCharsRead);
  const LogoLines lines = logoLinesWith(s.Layout, given);
  const EditResult result = applyWithRoom(page, lines);
  if (result.error == EditError::NoFreeRun) {
    const std::string text =
        std::string(headline(Task::LogoRoom)) + "\n" + logoRoomText(logoRoom(s.BiosImage, s.Layout, *logo.picture));
    showError(page, text.c_str());
  } else if (result.error && result.error != EditError::LogoNeedsGrowth) {
    showError(page, refusalMessage(Task::BitmapLoad, *result.error).c_str());
  }
  if (result.ok()) afterLogoEdit(page);
}

void removePicture(HWND page) {
  AppState& s = state();
  const BusyGuard busy;
  const EditResult result = removeLogo(s.BiosImage, s.Layout);
  if (!result.ok()) {
    showError(page, refusalMessage(Task::BitmapLoad, *result.error).c_str());
    return;
  }
  afterLogoEdit(page);
}

// A new page starts without a picture.
void initLogoPage(HWND page) {
  logo = LogoPageState{};
  for (const int id : kLogoLineIds)
    SendDlgItemMessageA(page, id, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
}

void destroyLogoPage(HWND page) {
  releasePageDC(logo.dc, page);
  if (logo.bitmap) DeleteObject(logo.bitmap);
  logo.bitmap = nullptr;
}

}  // namespace

const LogoPageState& logoPageState() { return logo; }

void resetLogoPage() {
  HWND page = pageWindow(LogoTab);
  for (const int id : kLogoLineIds) setText(page, id, "");
  setText(page, IDC_LOGO_INSTALLED, "");
  enable(page, IDC_LOGO_REMOVE, false);
  clearPicture(page);
}

void fillLogoPage() { showInstalled(pageWindow(LogoTab)); }

// Lines that still hold what the last fill put there take the new sign-on
// text's; lines the user typed stay. A logo's own lines do not follow.
void followSignOn(const std::string& text) {
  BiosLayout& layout = state().Layout;
  if (layout.logo) return;
  HWND page = pageWindow(LogoTab);
  const auto lines = logoLinesFrom(text);
  for (std::size_t k = 0; k < kLogoLines; ++k)
    if (getAnsiText(page, kLogoLineIds[k], kLineCharsRead) == layout.logoLines[k])
      setAnsiText(page, kLogoLineIds[k], lines[k]);
  layout.logoLines = lines;
}

INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: initLogoPage(page); return TRUE;
    case WM_SHOWWINDOW: holdPageDCWhileShown(logo.dc, page, wParam != FALSE); return FALSE;
    case WM_PAINT: paintBitmap(page, logo.dc, kPictureX, kPictureY, logo.bitmap); return TRUE;
    case WM_DESTROY: destroyLogoPage(page); return FALSE;
    case WM_COMMAND: break;
    default: return FALSE;
  }
  if (!state().imageLoaded) return FALSE;
  // New lines for the picture shown are an edit Apply writes.
  if (HIWORD(wParam) == EN_UPDATE && isLineEdit(LOWORD(wParam))) {
    if (userEdit() && logo.picture) enable(page, IDC_APPLY, true);
    return TRUE;
  }
  switch (LOWORD(wParam)) {
    case IDC_LOGO_LOAD: loadPicture(page); return TRUE;
    case IDC_APPLY: applyPicture(page); return TRUE;
    case IDC_LOGO_REMOVE: removePicture(page); return TRUE;
    case IDC_BOOT_SCREEN: showBootScreen(); return TRUE;
    default: return FALSE;
  }
}

}  // namespace quarzel::app
