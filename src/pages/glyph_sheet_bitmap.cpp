#include "pages/glyph_sheet_bitmap.h"

#include <algorithm>
#include <cstdint>

namespace quarzel::app {

namespace {

struct SheetBitmap {
  HBITMAP bitmap = nullptr;
  std::uint8_t* bits = nullptr;  // GlyphSheet layout: bottom row first
};

SheetBitmap& sheetBitmap() {
  static SheetBitmap sheet;
  return sheet;
}

// A BITMAPINFO with room for the two colour-table entries.
struct TwoColourInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

RGBQUAD rgbQuad(COLORREF colour) {
  return RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
}

}  // namespace

void createGlyphSheetBitmap() {
  SheetBitmap& sheet = sheetBitmap();
  if (sheet.bitmap) return;
  TwoColourInfo info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = static_cast<LONG>(kGlyphSheetSide);
  info.header.biHeight = static_cast<LONG>(kGlyphSheetSide);  // positive: bottom-up
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.colours[0] = rgbQuad(GetSysColor(COLOR_BTNFACE));
  info.colours[1] = rgbQuad(RGB(0, 0, 0));
  void* bits = nullptr;
  sheet.bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!sheet.bitmap) return;
  sheet.bits = static_cast<std::uint8_t*>(bits);
  std::fill_n(sheet.bits, GlyphSheet{}.size(), std::uint8_t{0});
}

HBITMAP glyphSheetBitmap() { return sheetBitmap().bitmap; }

void showGlyphSheet(const GlyphSheet& sheet) {
  SheetBitmap& target = sheetBitmap();
  if (!target.bits) return;
  // GDI may still be drawing from the section.
  GdiFlush();
  std::copy(sheet.begin(), sheet.end(), target.bits);
}

void deleteGlyphSheetBitmap() {
  SheetBitmap& sheet = sheetBitmap();
  if (sheet.bitmap) DeleteObject(sheet.bitmap);
  sheet = SheetBitmap{};
}

}  // namespace quarzel::app
