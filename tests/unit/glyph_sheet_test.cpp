#include <gtest/gtest.h>

#include <algorithm>

#include "formats/glyph_sheet.h"
#include "support/rom_builder.h"

namespace quarzel {
namespace {

using test::RomBuilder;

// The sheet byte of top-down pixel row `row`, byte column `column`.
std::uint8_t pixelByte(const GlyphSheet& sheet, std::size_t row, std::size_t column) {
  return sheet[(255 - row) * 32 + column];
}

std::size_t inkedBytes(const GlyphSheet& sheet) {
  return static_cast<std::size_t>(std::count_if(sheet.begin(), sheet.end(), [](std::uint8_t b) { return b != 0; }));
}

TEST(GlyphSheet, Character33Of8x16IsSecondRowSecondColumn) {
  RomBuilder rom(0x8000);
  for (std::uint8_t r = 0; r < 16; ++r) rom.byte(0x6000 + 33 * 16 + r, static_cast<std::uint8_t>(0xA0 + r));
  const GlyphSheet sheet = renderGlyphSheet(rom.build(), 0x6000, Font8x16);
  EXPECT_EQ(sheet.size(), 8192u);
  for (std::size_t r = 0; r < 16; ++r) EXPECT_EQ(pixelByte(sheet, 16 + r, 1), 0xA0 + r);
  EXPECT_EQ(inkedBytes(sheet), 16u);
}

TEST(GlyphSheet, CornersOfAn8x14Font) {
  const Image image = RomBuilder(0x8000).byte(0x5000, 0x81).byte(0x5000 + 3584 - 1, 0x18).build();
  const GlyphSheet sheet = renderGlyphSheet(image, 0x5000, Font8x14);
  EXPECT_EQ(sheet[255 * 32], 0x81);            // character 0, top row: top left
  EXPECT_EQ(pixelByte(sheet, 111, 31), 0x18);  // character 255, bottom row
  EXPECT_EQ(inkedBytes(sheet), 2u);
}

TEST(GlyphSheet, BlankWithoutAFontOrPastTheBuffer) {
  const Image image = RomBuilder(0x10000, 0xFF).build(false);
  EXPECT_EQ(inkedBytes(renderGlyphSheet(image, std::nullopt, Font8x8)), 0u);
  EXPECT_EQ(inkedBytes(renderGlyphSheet(image, 0xF001, Font8x16)), 0u);
  EXPECT_EQ(inkedBytes(renderGlyphSheet(image, 0xF000, Font8x16)), 128u * 32);  // ends at the buffer end
}

}  // namespace
}  // namespace quarzel
