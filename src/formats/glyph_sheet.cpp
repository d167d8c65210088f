#include "formats/glyph_sheet.h"

namespace quarzel {

namespace {
constexpr std::size_t kGlyphsPerRow = 32;
constexpr std::size_t kSheetRowBytes = kGlyphSheetSide / 8;
}  // namespace

GlyphSheet renderGlyphSheet(const Image& image, std::optional<Offset> font, FontSize size) {
  GlyphSheet sheet{};
  if (!font || !Image::fits(*font, fontTableBytes(size))) return sheet;
  const std::size_t height = fontHeight(size);
  for (std::size_t code = 0; code < 256; ++code) {
    const std::size_t column = code % kGlyphsPerRow;
    const std::size_t top = height * (code / kGlyphsPerRow);  // pixel row from the top
    for (std::size_t row = 0; row < height; ++row) {
      // The bitmap is stored bottom-up: its first row is the sheet's last.
      const std::size_t sheetRow = kGlyphSheetSide - 1 - (top + row);
      sheet[sheetRow * kSheetRowBytes + column] = image.bytes[*font + code * height + row];
    }
  }
  return sheet;
}

}  // namespace quarzel
