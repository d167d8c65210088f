#include "pages/glyph_sheet_bitmap.h"

#include <algorithm>
#include <cstdint>

#include "ui/app_state.h"

namespace quarzel::app {

namespace {

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
  AppState& s = state();
  if (s.GlyphSheet) return;
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
  s.GlyphSheet = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!s.GlyphSheet) return;
  s.glyphSheetBits = static_cast<std::uint8_t*>(bits);
  std::fill_n(s.glyphSheetBits, GlyphSheet{}.size(), std::uint8_t{0});
}

HBITMAP glyphSheetBitmap() { return state().GlyphSheet; }

void showGlyphSheet(const GlyphSheet& sheet) {
  AppState& s = state();
  if (!s.glyphSheetBits) return;
  // GDI may still be drawing from the section.
  GdiFlush();
  std::copy(sheet.begin(), sheet.end(), s.glyphSheetBits);
}

void deleteGlyphSheetBitmap() {
  AppState& s = state();
  if (s.GlyphSheet) DeleteObject(s.GlyphSheet);
  s.GlyphSheet = nullptr;
  s.glyphSheetBits = nullptr;
}

}  // namespace quarzel::app
