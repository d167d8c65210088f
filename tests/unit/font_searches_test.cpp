#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/analysis_pass.h"
#include "analysis/fonts/font_searches.h"
#include "analysis/sample_image.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;

constexpr std::initializer_list<std::uint8_t> kFace8x8{0x7E, 0x81, 0xA5, 0x81, 0xBD, 0x99, 0x81, 0x7E};

// A layout whose other entries must survive a search untouched.
BiosLayout occupied() {
  BiosLayout layout;
  layout.fonts[Font8x8] = 0x1000;
  layout.fonts[Font8x14] = 0x2000;
  layout.fonts[Font8x16] = 0x3000;
  layout.fixups[Font8x14].location = 0x4000;
  layout.fixups[Font8x16].location = 0x5000;
  return layout;
}

// Character 0 blank from `at`, the face's top row `top` bytes in, its
// closing row `close` bytes in.
Image faceAt(std::size_t at, std::size_t top, std::size_t close, std::size_t size = 0x8000) {
  return RomBuilder(size, 0xFF).fill(at, top, 0x00).byte(at + top, 0x7E).fill(at + top + 1, close - top - 1, 0x81)
      .byte(at + close, 0x7E).build();
}

TEST(GlyphSearch, Finds8x8ByBlankAndWholeFace) {
  BiosLayout layout = occupied();
  // A first copy with a wrong fifth face row is passed over.
  const Image image = RomBuilder(0x8000, 0xFF).fill(0x100, 8, 0).bytes(0x108, kFace8x8).byte(0x10C, 0xBC)
                          .fill(0x4000, 8, 0).bytes(0x4008, kFace8x8).build();
  EXPECT_TRUE(glyphSearch(image, layout, Font8x8));
  const BiosLayout before = occupied();
  EXPECT_EQ(layout.fonts[Font8x8], 0x4000);
  EXPECT_EQ(layout.fonts[Font8x14], before.fonts[Font8x14]);
  EXPECT_EQ(layout.fonts[Font8x16], before.fonts[Font8x16]);
  EXPECT_EQ(layout.fixups[Font8x14].location, before.fixups[Font8x14].location);
  EXPECT_EQ(layout.fixups[Font8x16].location, before.fixups[Font8x16].location);
}

TEST(GlyphSearch, AcceptsTheClosingRowOnlyWhereBiosBuildsPutIt) {
  struct Case {
    FontSize size;
    std::size_t top, close;
    bool found;
  };
  const Case cases[] = {
      {Font8x14, 16, 23, false}, {Font8x14, 16, 24, true}, {Font8x14, 16, 25, true},
      {Font8x14, 16, 26, true},  {Font8x14, 16, 27, false}, {Font8x16, 18, 26, false},
      {Font8x16, 18, 27, true},  {Font8x16, 18, 28, true},  {Font8x16, 18, 29, false},
      {Font8x14, 15, 25, false},  // only 15 blank bytes
  };
  for (const Case& c : cases) {
    BiosLayout layout = occupied();
    const bool found = glyphSearch(faceAt(0x4000, c.top, c.close), layout, c.size);
    EXPECT_EQ(found, c.found) << "size " << c.size << " closing row at +" << c.close;
    const Location font = c.size == Font8x14 ? layout.fonts[Font8x14] : layout.fonts[Font8x16];
    const Location before = c.size == Font8x14 ? occupied().fonts[Font8x14] : occupied().fonts[Font8x16];
    EXPECT_EQ(font, c.found ? 0x4000 : before);
  }
}

TEST(GlyphSearch, SkipsATableThatWouldPassTheImage) {
  BiosLayout layout = occupied();
  EXPECT_FALSE(glyphSearch(faceAt(0x7001, 18, 27), layout, Font8x16));
  EXPECT_EQ(layout.fonts[Font8x16], 0x3000);
  EXPECT_TRUE(glyphSearch(faceAt(0x7000, 18, 27), layout, Font8x16));  // ends at 8000h
  EXPECT_EQ(layout.fonts[Font8x16], 0x7000);
}

TEST(NeighbourSearch, DerivesFromTheNonzeroNeighbour) {
  BiosLayout layout;
  const Image image = RomBuilder(0x8000).build();
  EXPECT_FALSE(neighbourSearch(image, layout, Font8x8));  // 8x14 none
  layout.fonts[Font8x14] = 0;
  EXPECT_FALSE(neighbourSearch(image, layout, Font8x8));
  layout.fonts[Font8x14] = 0x07FF;  // 8x8 would start before the image
  EXPECT_FALSE(neighbourSearch(image, layout, Font8x8));
  EXPECT_FALSE(layout.fonts[Font8x8]);
  layout.fonts[Font8x8] = 0;  // 0 counts as not located, though 8x14 at 800h would fit
  EXPECT_FALSE(neighbourSearch(image, layout, Font8x14));

  layout.fonts[Font8x14] = 0x4800;
  layout.fonts[Font8x16] = 0x1234;
  EXPECT_TRUE(neighbourSearch(image, layout, Font8x8));
  EXPECT_TRUE(neighbourSearch(image, layout, Font8x16));
  EXPECT_EQ(layout.fonts[Font8x8], 0x4000);
  EXPECT_EQ(layout.fonts[Font8x16], 0x5600);
  layout.fonts[Font8x8] = 0x3000;
  EXPECT_TRUE(neighbourSearch(image, layout, Font8x14));
  EXPECT_EQ(layout.fonts[Font8x14], 0x3800);
}

TEST(NeighbourSearch, RefusesATableThatWouldPassTheImage) {
  BiosLayout layout;
  layout.fonts[Font8x14] = 0x7001;  // 8x16 at 7E01h would end past 8000h
  layout.fonts[Font8x16] = 0x1234;
  EXPECT_FALSE(neighbourSearch(RomBuilder(0x8000).build(), layout, Font8x16));
  EXPECT_EQ(layout.fonts[Font8x16], 0x1234);
  layout.fonts[Font8x8] = 0xF800;  // 8x14 at 10000h is past the buffer
  EXPECT_FALSE(neighbourSearch(RomBuilder(0x10000).build(), layout, Font8x14));
  EXPECT_EQ(layout.fonts[Font8x14], 0x7001);
}

// The built-in sample's fonts are a VGA BIOS's in code page 437: the glyph
// search finds the 8x8 and 8x16 tables where the code names them, and every
// size has its full block at DBh.
TEST(GlyphSearch, FindsTheSampleFonts) {
  const Image image = sampleImage();
  BiosLayout named;
  AnalysisPass(image, named);
  for (const FontSize size : {Font8x8, Font8x16}) {
    BiosLayout searched;
    EXPECT_TRUE(glyphSearch(image, searched, size));
    EXPECT_EQ(searched.fonts[size], named.fonts[size]);
  }
  for (const FontSize size : kFontSizes) {
    ASSERT_TRUE(named.fonts[size]) << size;
    const auto block = image.bytes.begin() + static_cast<std::ptrdiff_t>(*named.fonts[size] + 0xDB * fontHeight(size));
    EXPECT_TRUE(std::all_of(block, block + static_cast<std::ptrdiff_t>(fontHeight(size)),
                            [](std::uint8_t row) { return row == 0xFF; }))
        << size;
  }
}

TEST(GlyphSearch, FindsTheFontsOfARealImage) {
  // Agp_sg.rom: the fonts its code names at 4B3Ah, 533Ah and 613Ah are
  // the first places with these glyphs.
  QUARZEL_REAL_ROM(image, test::kAgpSg);
  BiosLayout layout;
  for (const FontSize size : kFontSizes) EXPECT_TRUE(glyphSearch(image, layout, size));
  EXPECT_EQ(layout.fonts[Font8x8], 0x4B3A);
  EXPECT_EQ(layout.fonts[Font8x14], 0x533A);
  EXPECT_EQ(layout.fonts[Font8x16], 0x613A);
}

}  // namespace
}  // namespace quarzel
