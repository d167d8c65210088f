// LogoPage: the boot logo's picture, loaded from a 16-colour BMP file, and
// its five text lines; Apply writes the logo block into free space of the
// ROM and points the sign-on call at it.
#include "analysis/logo_edit.h"
#include "formats/bmp_picture.h"
#include "pages/logo_controls.h"
#include "pages/pages.h"
#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"

namespace quarzel::app {

namespace {

// Client pixel position of the picture, below the name and size fields.
constexpr int kPictureX = 16, kPictureY = 112;
// What Apply reads from each line's edit.
constexpr int kLineCharsRead = 255;

// The page's words for why a picture or an Apply was refused.
const char* refusalText(EditError error) {
  switch (error) {
    case EditError::BmpCompressed: return "Bitmap format error!!!";
    case EditError::BmpWidthUnsupported: return "Logo width must be 8, 16, ... or 120 pixels!!!";
    case EditError::BmpHeightUnsupported: return "Logo height must be 1 to 127 pixels!!!";
    case EditError::NoBootCode: return "No sign-on call found for the logo!!!";
    case EditError::LogoTextTooLong: return "The logo lines hold more than 374 characters!!!";
    case EditError::NotA3dfxBios:
    case EditError::NoFreeRun: return "Out of memory";
    default: return "Bitmap loading error!!!";
  }
}

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
  HBITMAP bitmap = CreateDIBSection(state().logoPageDC, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
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
  const RECT area = pictureArea(*state().LogoPicture);
  InvalidateRect(page, &area, FALSE);
  UpdateWindow(page);
}

// Everything is read and checked, and the bitmap made, before the page
// changes: a refused file leaves the previous picture whole and usable.
void loadPicture(HWND page) {
  AppState& s = state();
  const auto chosen = platform().openFile(loadDialog(), s.logoLoadPath);
  if (!chosen) return;
  s.logoLoadPath = chosen->path;
  LogoFileRead file = readLogoFile(chosen->path);
  if (!file.picture) {
    showError(page, file.error ? refusalText(*file.error) : "Bitmap loading error!!!");
    return;
  }
  HBITMAP bitmap = makeBitmap(*file.picture);
  if (!bitmap) {
    showError(page, "Bitmap format error!!!");
    return;
  }
  if (s.logoBitmap) DeleteObject(s.logoBitmap);
  s.logoBitmap = bitmap;
  const RECT previous = s.LogoPicture ? pictureArea(*s.LogoPicture) : RECT{};
  s.LogoPicture = std::move(file.picture);
  setAnsiText(page, IDC_LOGO_NAME, chosen->title);
  setText(page, IDC_LOGO_WIDTH, std::to_string(s.LogoPicture->width));
  setText(page, IDC_LOGO_HEIGHT, std::to_string(s.LogoPicture->height));
  setText(page, IDC_LOGO_COLOURS, mergedColoursText(*s.LogoPicture));
  enable(page, IDC_APPLY, true);
  redrawPictures(page, previous);
}

// The dump shows the new bytes at its next rebuild.
void applyPicture(HWND page) {
  AppState& s = state();
  if (!s.LogoPicture) return;
  std::array<std::optional<std::string>, kLogoLines> lines;
  for (std::size_t k = 0; k < kLogoLines; ++k) lines[k] = getAnsiText(page, kLogoLineIds[k], kLineCharsRead);
  const EditResult result = applyLogo(s.BiosImage, s.Layout, *s.LogoPicture, logoLinesWith(s.Layout, lines));
  if (result.error) showError(page, refusalText(*result.error));
}

void initLogoPage(HWND page) {
  for (const int id : kLogoLineIds)
    SendDlgItemMessageA(page, id, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
}

void deleteLogoBitmap() {
  AppState& s = state();
  if (s.logoBitmap) DeleteObject(s.logoBitmap);
  s.logoBitmap = nullptr;
}

}  // namespace

INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: initLogoPage(page); return TRUE;
    case WM_PAINT: paintBitmap(page, state().logoPageDC, kPictureX, kPictureY, state().logoBitmap); return TRUE;
    case WM_DESTROY: deleteLogoBitmap(); return FALSE;
    case WM_COMMAND: break;
    default: return FALSE;
  }
  if (!state().imageLoaded) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_LOGO_LOAD: loadPicture(page); return TRUE;
    case IDC_APPLY: applyPicture(page); return TRUE;
    default: return FALSE;
  }
}

}  // namespace quarzel::app
