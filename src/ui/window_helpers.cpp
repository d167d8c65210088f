#include "ui/window_helpers.h"

#include <vector>

#include "formats/text_format.h"
#include "ui/wide_text.h"

namespace quarzel::app {

void centerOnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2;
  MoveWindow(window, x, y, width, height, TRUE);
}

void drawBitmap(HDC dc, int x, int y, HBITMAP bitmap) {
  HDC memory = CreateCompatibleDC(dc);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  SetMapMode(memory, GetMapMode(dc));
  BITMAP info;
  GetObject(bitmap, sizeof info, &info);
  POINT size{info.bmWidth, info.bmHeight};
  DPtoLP(dc, &size, 1);
  POINT origin{0, 0};
  DPtoLP(memory, &origin, 1);
  BitBlt(dc, x, y, size.x, size.y, memory, origin.x, origin.y, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

void paintBitmap(HWND window, HDC held, int x, int y, HBITMAP bitmap) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (bitmap) drawBitmap(held ? held : dc, x, y, bitmap);
  EndPaint(window, &paint);
}

void setText(HWND dialog, int id, const std::string& utf8) { SetDlgItemTextW(dialog, id, wideText(utf8).c_str()); }

std::string getText(HWND dialog, int id, int maxChars) {
  if (maxChars < 0) maxChars = GetWindowTextLengthW(GetDlgItem(dialog, id));
  std::vector<wchar_t> buffer(static_cast<std::size_t>(maxChars) + 1);
  const UINT length = GetDlgItemTextW(dialog, id, buffer.data(), maxChars + 1);
  return utf8Text({buffer.data(), length});
}

void setAnsiText(HWND dialog, int id, const std::string& bytes) { SetDlgItemTextA(dialog, id, bytes.c_str()); }

std::string getAnsiText(HWND dialog, int id, int maxChars) {
  if (maxChars < 0) maxChars = GetWindowTextLengthA(GetDlgItem(dialog, id));
  std::vector<char> buffer(static_cast<std::size_t>(maxChars) + 1);
  const UINT length = GetDlgItemTextA(dialog, id, buffer.data(), maxChars + 1);
  return std::string(buffer.data(), length);
}

void setLimitedText(HWND dialog, int id, const std::string& bytes, unsigned limit) {
  SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 0, 0);
  setAnsiText(dialog, id, bytes);
  SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, limit, 0);
}

void setOffsetCaption(HWND dialog, int id, unsigned offset) { setText(dialog, id, formatText("%04X", offset)); }

namespace {

// The height a page's controls were last laid out for, kept on the page
// one higher: no property reads as null.
constexpr const char* kLaidOutHeight = "quarzel.laidOutHeight";

RECT placeInParent(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

}  // namespace

void stretchDown(HWND page, int stretched, int height) {
  HWND grown = GetDlgItem(page, stretched);
  if (!grown) return;
  const auto noted = reinterpret_cast<INT_PTR>(GetPropA(page, kLaidOutHeight));
  SetPropA(page, kLaidOutHeight, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(height) + 1));
  const int change = height - static_cast<int>(noted - 1);
  if (noted == 0 || change == 0) return;
  const LONG below = placeInParent(grown).bottom;
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const RECT place = placeInParent(child);
    if (child == grown)
      MoveWindow(child, place.left, place.top, place.right - place.left, place.bottom - place.top + change, TRUE);
    else if (place.top >= below)
      MoveWindow(child, place.left, place.top + change, place.right - place.left, place.bottom - place.top, TRUE);
  }
}

void enable(HWND dialog, int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); }

void holdPageDC(HDC& held, HWND page) {
  releasePageDC(held, page);
  held = GetDC(page);
}

void holdPageDCWhileShown(HDC& held, HWND page, bool shown) {
  if (shown)
    holdPageDC(held, page);
  else
    releasePageDC(held, page);
}

void releasePageDC(HDC& held, HWND page) {
  if (held) ReleaseDC(page, held);
  held = nullptr;
}

}  // namespace quarzel::app
