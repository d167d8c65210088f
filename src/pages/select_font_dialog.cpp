#include "pages/select_font_dialog.h"

#include "analysis/fonts/font_edits.h"
#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"

namespace quarzel::app {

namespace {

// The preview follows the list at most this late: only the timer redraws
// it, and Apply copies what it shows.
constexpr UINT_PTR kPreviewTimer = 1;
constexpr UINT kPreviewPeriodMs = 200;
constexpr int kPreviewX = 160, kPreviewY = 8;

// The check box of each size, by FontSize.
constexpr int kSizeBoxes[kFontSizeCount] = {IDC_SELECT_FONT_8X8, IDC_SELECT_FONT_8X14, IDC_SELECT_FONT_8X16};

// The file the open dialog imports from, and its preview.
const CodePageFile* openFile = nullptr;
CodePagePreviewState preview;

void fillList(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SELECT_FONT_LIST);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  // One item per entry; the list box keeps them sorted as text.
  for (const std::string& item : codePageList(*openFile))
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  preview.codePage = 0;
  SendMessageW(list, LB_SETCURSEL, 0, 0);
}

std::string selectedItem(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SELECT_FONT_LIST);
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return {};
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// Draws the selected code page unless the preview already shows it.
void renderPreview(HWND dialog) {
  const std::uint16_t codePage = codePageOfItem(selectedItem(dialog));
  if (codePage == preview.codePage) return;
  preview.codePage = codePage;
  showPixels(preview.picture, codePagePreview(*openFile, codePage));
}

// The whole picture is copied, so the area need not be erased first.
void redrawPreview(HWND dialog) {
  const RECT area{kPreviewX, kPreviewY, kPreviewX + static_cast<int>(kPreviewWidth),
                  kPreviewY + static_cast<int>(kPreviewHeight)};
  InvalidateRect(dialog, &area, FALSE);
  UpdateWindow(dialog);
}

void openDialog(HWND dialog, const std::string& title) {
  SetWindowTextA(dialog, title.c_str());
  centerOnScreen(dialog);
  fillList(dialog);
  preview.dc = GetDC(dialog);
  preview.picture = createMonochromeBitmap(static_cast<int>(kPreviewWidth), static_cast<int>(kPreviewHeight));
  renderPreview(dialog);
  SetTimer(dialog, kPreviewTimer, kPreviewPeriodMs, nullptr);
}

FontSizeSet tickedSizes(HWND dialog) {
  FontSizeSet ticked{};
  for (const FontSize size : kFontSizes) ticked[size] = IsDlgButtonChecked(dialog, kSizeBoxes[size]) == BST_CHECKED;
  return ticked;
}

// The code page the preview shows, not the list's newer selection.
void applyFonts(HWND dialog) {
  AppState& s = state();
  // Sizes the BIOS or the code page lacks are skipped without a word.
  ignoreRefusal(copyCodePageFonts(s.BiosImage, s.Layout, *openFile, preview.codePage, tickedSizes(dialog)));
}

void closeDialog(HWND dialog, INT_PTR result) {
  KillTimer(dialog, kPreviewTimer);
  EndDialog(dialog, result);
}

// The preview and its context are made anew each time the dialog opens.
void releasePreview(HWND dialog) {
  if (preview.dc) ReleaseDC(dialog, preview.dc);
  preview.dc = nullptr;
  deleteMonochromeBitmap(preview.picture);
}

INT_PTR CALLBACK SelectFontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: openDialog(dialog, *reinterpret_cast<const std::string*>(lParam)); return TRUE;
    case WM_TIMER:
      if (wParam != kPreviewTimer) return FALSE;
      renderPreview(dialog);
      redrawPreview(dialog);
      return TRUE;
    case WM_PAINT:
      paintBitmap(dialog, preview.dc, kPreviewX, kPreviewY, preview.picture.bitmap);
      return TRUE;
    case WM_CLOSE: closeDialog(dialog, IDCANCEL); return TRUE;
    case WM_DESTROY: releasePreview(dialog); return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        applyFonts(dialog);
        closeDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        closeDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

void runSelectFontDialog(const std::string& title, const CodePageFile& file) {
  openFile = &file;
  platform().runModal({IDD_SELECT_FONT}, state().MainWindow, SelectFontDialogProc, reinterpret_cast<LPARAM>(&title));
  openFile = nullptr;
}

const CodePagePreviewState& codePagePreviewState() { return preview; }

}  // namespace quarzel::app
