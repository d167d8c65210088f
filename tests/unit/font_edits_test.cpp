#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/fonts/font_edits.h"
#include "support/rom_builder.h"

namespace quarzel {
namespace {

using test::RomBuilder;

// A font file whose glyph bytes differ from every image byte built here.
std::vector<std::uint8_t> fontFile(FontSize size) {
  std::vector<std::uint8_t> file(fontTableBytes(size));
  for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(0x80 | (i * 7 % 127));
  return file;
}

// Fonts at 1000h, 2000h (all rows 22h) and 3000h, fix-up tables at 4000h
// and 5000h with the codes 'A', 80h, FFh and a terminator.
struct FontRom {
  Image image;
  BiosLayout layout;
};
FontRom fontRom() {
  RomBuilder rom(0x8000, 0x11);
  rom.fill(0x2000, 3584, 0x22);
  for (const std::size_t table : {0x4000u, 0x5000u}) {
    const std::size_t entry = table == 0x4000 ? 15u : 17u;
    rom.byte(table, 'A').byte(table + entry, 0x80).byte(table + 2 * entry, 0xFF).byte(table + 3 * entry, 0);
  }
  FontRom r{rom.build(false), {}};
  r.layout.fonts[Font8x8] = 0x1000;
  r.layout.fonts[Font8x14] = 0x2000;
  r.layout.fonts[Font8x16] = 0x3000;
  r.layout.fixups[Font8x14].location = 0x4000;
  r.layout.fixups[Font8x16].location = 0x5000;
  return r;
}

TEST(LoadFontFile, RefusesWithoutTouchingTheImage) {
  struct Case {
    const char* what;
    std::size_t length;
    FontSize selected;
    Location font8x16;
    EditError error;
  };
  const Case cases[] = {
      {"8x14 file, 8x8 selected", 3584, Font8x8, 0x3000, EditError::FontSizeMismatch},
      {"one byte short", 4095, Font8x16, 0x3000, EditError::FontFileLength},
      {"one byte long", 4097, Font8x16, 0x3000, EditError::FontFileLength},
      {"empty", 0, Font8x16, 0x3000, EditError::FontFileLength},
      {"not located", 4096, Font8x16, std::nullopt, EditError::NotLocated},
      {"one byte past the image", 4096, Font8x16, 0x7001, EditError::NotLocated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FontRom rom = fontRom();
    rom.layout.fonts[Font8x16] = c.font8x16;
    const Image before = rom.image;
    const EditResult result = loadFontFile(rom.image, rom.layout, c.selected, std::vector<std::uint8_t>(c.length, 0xEE));
    EXPECT_EQ(result.error, c.error);
    EXPECT_TRUE(result.written.empty());
    EXPECT_EQ(rom.image.bytes, before.bytes);
  }
}

TEST(LoadFontFile, ReplacesTheTableAndBringsTheFixupsInLine) {
  FontRom rom = fontRom();
  const auto file = fontFile(Font8x16);
  const EditResult result = loadFontFile(rom.image, rom.layout, Font8x16, file);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.written, (std::vector<ByteRange>{{0x3000, 4096}, {0x4000, 45}, {0x5000, 51}}));
  EXPECT_EQ(fontFileBytes(rom.image, rom.layout, Font8x16), file);

  const std::uint8_t codes[] = {'A', 0x80, 0xFF};
  for (std::size_t e = 0; e < 3; ++e) {
    SCOPED_TRACE(e);
    const std::size_t entry16 = 0x5000 + 17 * e, entry14 = 0x4000 + 15 * e;
    EXPECT_EQ(rom.image.bytes[entry16], codes[e]);
    EXPECT_TRUE(std::equal(file.begin() + 16 * codes[e], file.begin() + 16 * (codes[e] + 1),
                           rom.image.bytes.begin() + entry16 + 1));
    // Any load syncs the 14-row table too, from the current 8x14 font.
    EXPECT_EQ(rom.image.bytes[entry14], codes[e]);
    EXPECT_TRUE(std::all_of(rom.image.bytes.begin() + entry14 + 1, rom.image.bytes.begin() + entry14 + 15,
                            [](std::uint8_t b) { return b == 0x22; }));
  }
  EXPECT_EQ(rom.image.bytes[0x5000 + 51], 0);
  EXPECT_EQ(rom.image.bytes[0x5000 + 52], 0x11);
  EXPECT_EQ(rom.image.bytes[0x4000 + 45], 0);
  EXPECT_EQ(rom.image.bytes[0x2FFF], 0x11);
}

TEST(FontFileBytes, OnlyAWholeTableInsideTheImage) {
  FontRom rom = fontRom();
  rom.image.bytes[0x1000] = 0x5A;
  rom.image.bytes[0x17FF] = 0xA5;
  const auto saved = fontFileBytes(rom.image, rom.layout, Font8x8);
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->size(), 2048u);
  EXPECT_EQ(saved->front(), 0x5A);
  EXPECT_EQ(saved->back(), 0xA5);
  EXPECT_EQ(fontFileBytes(rom.image, rom.layout, Font8x14)->size(), 3584u);

  rom.layout.fonts[Font8x14] = std::nullopt;
  EXPECT_FALSE(fontFileBytes(rom.image, rom.layout, Font8x14));
  rom.layout.fonts[Font8x16] = 0x7000;  // ends at the image end
  EXPECT_TRUE(fontFileBytes(rom.image, rom.layout, Font8x16));
  rom.image.size = 0x7FFF;
  EXPECT_FALSE(fontFileBytes(rom.image, rom.layout, Font8x16));
}

TEST(SyncFixupTables, StopsAtTheImageEndWithoutATerminator) {
  FontRom rom = fontRom();
  // Two whole entries, then 5 bytes of a third that would pass the end.
  const std::size_t table = 0x8000 - 2 * 17 - 5;
  std::fill_n(rom.image.bytes.begin() + table, 2 * 17 + 5, 0x41);
  rom.layout.fixups[Font8x16].location = static_cast<Offset>(table);
  rom.layout.fixups[Font8x14].location = std::nullopt;
  const auto file = fontFile(Font8x16);
  ASSERT_TRUE(loadFontFile(rom.image, rom.layout, Font8x16, file).ok());

  const EditResult result = syncFixupTables(rom.image, rom.layout);
  EXPECT_EQ(result.written, (std::vector<ByteRange>{{table, 34}}));
  EXPECT_TRUE(std::equal(file.begin() + 16 * 0x41, file.begin() + 16 * 0x42, rom.image.bytes.begin() + table + 18));
  EXPECT_TRUE(std::all_of(rom.image.bytes.begin() + 0x8000 - 5, rom.image.bytes.begin() + 0x8000,
                          [](std::uint8_t b) { return b == 0x41; }));
  EXPECT_EQ(rom.image.bytes[0x8000], 0);  // zero fill past the image
}

TEST(SyncFixupTables, SkipsTablesWithoutEntriesOrFont) {
  FontRom rom = fontRom();
  rom.image.bytes[0x4000] = 0;  // empty 14-row table
  rom.layout.fonts[Font8x16] = std::nullopt;
  const Image before = rom.image;
  const EditResult result = syncFixupTables(rom.image, rom.layout);
  EXPECT_TRUE(result.ok());
  EXPECT_TRUE(result.written.empty());
  EXPECT_EQ(rom.image.bytes, before.bytes);
}

}  // namespace
}  // namespace quarzel
