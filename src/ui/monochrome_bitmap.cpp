#include "ui/monochrome_bitmap.h"

#include <algorithm>

namespace quarzel::app {

namespace {

// A BITMAPINFO with room for the two colour-table entries.
struct TwoColourInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

RGBQUAD rgbQuad(COLORREF colour) { return RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0}; }

}  // namespace

MonochromeBitmap createMonochromeBitmap(int width, int height) {
  TwoColourInfo info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = height;  // positive: bottom-up
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.colours[0] = rgbQuad(GetSysColor(COLOR_BTNFACE));
  info.colours[1] = rgbQuad(RGB(0, 0, 0));
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return {};
  MonochromeBitmap picture{bitmap, static_cast<std::uint8_t*>(bits)};
  // Rows are padded to 4 bytes; the widths drawn here are multiples of 32.
  std::fill_n(picture.bits, static_cast<std::size_t>(width / 8) * static_cast<std::size_t>(height), std::uint8_t{0});
  return picture;
}

void showPixels(const MonochromeBitmap& picture, std::span<const std::uint8_t> pixels) {
  if (!picture.bits) return;
  // GDI may still be drawing from the section.
  GdiFlush();
  std::copy(pixels.begin(), pixels.end(), picture.bits);
}

void deleteMonochromeBitmap(MonochromeBitmap& picture) {
  if (picture.bitmap) DeleteObject(picture.bitmap);
  picture = {};
}

}  // namespace quarzel::app
