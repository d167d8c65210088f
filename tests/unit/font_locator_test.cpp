#include <gtest/gtest.h>

#include "analysis/fonts/fixup_table.h"
#include "analysis/fonts/font_locator.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;

BiosLayout located(const Image& image) {
  BiosLayout layout;
  locateFonts(image, layout);
  return layout;
}

// Signature 1 storing the 8x8 font and the pointer table at 7000h, whose
// first word names the video parameter table.
RomBuilder withVectors(std::size_t size, Offset font8x8) {
  return RomBuilder(size)
      .place(kFontSignature1, 0x100, {{kFont1Font8x8Operand, font8x8}, {kFont1PointerTableOperand, 0x7000}})
      .word(0x7000, 0x4200);
}

TEST(FontLocator, SmallImagesLocateNothing) {
  Image image = RomBuilder(0x8000)
                    .place(kFontSignature4, 3, {{kFont4Fixup8x14Operand, 0x20}, {kFont4Fixup8x16Operand, 0x21}})
                    .build();
  image.size = 34;  // starts below 4 are searched
  EXPECT_EQ(located(image).fixups[Font8x14].location, 0x20);
  image.size = 30;
  const BiosLayout layout = located(image);
  EXPECT_FALSE(layout.fixups[Font8x14].location);
  EXPECT_EQ(layout.fixups[Font8x14].size, 1u);
  EXPECT_EQ(layout.fixups[Font8x16].size, 1u);
}

TEST(FontLocator, AFontMustLieWhollyInsideTheImage) {
  // 7800h + 2048 ends exactly at the end of a 32 KiB image; signature 2 is
  // then not tried.
  const auto signature2 = [](RomBuilder rom) {
    return rom.place(kFontSignature2, 0x80, {{kFont2Font8x8Operand, 0x5000}}).build();
  };
  EXPECT_EQ(located(signature2(withVectors(0x8000, 0x7800))).fonts[Font8x8], 0x7800);
  // 7801h does not fit, so signature 2 is tried as if signature 1 gave nothing.
  const BiosLayout fallback = located(signature2(withVectors(0x8000, 0x7801)));
  EXPECT_EQ(fallback.fonts[Font8x8], 0x5000);
  EXPECT_EQ(fallback.videoParameterTable, 0x4200);

  const BiosLayout layout =
      located(RomBuilder(0x8000)
                  .place(kFontSignature3, 0x80, {{kFont3Font8x14Operand, 0x7200}, {kFont3Font8x16Operand, 0x7001}})
                  .build());
  EXPECT_EQ(layout.fonts[Font8x14], 0x7200);
  EXPECT_FALSE(layout.fonts[Font8x16]);
}

// Past the image's end the card holds other bytes than the file's: the
// pointer word and the table's first entry must lie inside the image.
TEST(FontLocator, VideoParameterTableLiesInsideTheImage) {
  const auto table = [](Offset pointerTable, Offset at) {
    return located(RomBuilder(0x8000)
                       .place(kFontSignature1, 0x100, {{kFont1PointerTableOperand, pointerTable}})
                       .word(0x7000, at)
                       .build())
        .videoParameterTable;
  };
  EXPECT_FALSE(table(0xFFFE, 0x4200));
  EXPECT_FALSE(table(0x7FFF, 0x4200));
  EXPECT_EQ(table(0x7000, 0x8000 - 64), 0x8000 - 64);
  EXPECT_FALSE(table(0x7000, 0x8000 - 63));
}

TEST(FontLocator, Signatures5And6AreTriedOnlyWithoutAnyFont) {
  struct EightByEight {
    Signature signature;
    std::size_t fontOperand;
  };
  for (const auto& [signature, operand] :
       {EightByEight{kFontSignature1, kFont1Font8x8Operand}, EightByEight{kFontSignature2, kFont2Font8x8Operand}}) {
    const BiosLayout layout = located(
        RomBuilder(0x8000)
            .place(signature, 0x100, {{operand, 0x4000}})
            .place(kFontSignature5, 0x200,
                   {{kFont5Font8x14Operand, 0x4800}, {kFont5Font8x8Operand, 0x4000}, {kFont5Font8x16Operand, 0x5600}})
            .place(kFontSignature6, 0x300,
                   {{kFont6Font8x8Operand, 0x4000}, {kFont6Font8x14Operand, 0x4800}, {kFont6Font8x16Operand, 0x5600}})
            .build());
    EXPECT_EQ(layout.fonts[Font8x8], 0x4000);
    EXPECT_FALSE(layout.fonts[Font8x14] || layout.fonts[Font8x16] || layout.fixups[Font8x16].location);
  }
  // Fonts named by signature 3 but outside the image count as none.
  const BiosLayout layout = located(
      RomBuilder(0x8000)
          .place(kFontSignature3, 0x80, {{kFont3Font8x14Operand, 0x7900}, {kFont3Font8x16Operand, 0x7A00}})
          .place(kFontSignature5, 0x200,
                 {{kFont5Font8x14Operand, 0x4800}, {kFont5Font8x8Operand, 0x4000}, {kFont5Font8x16Operand, 0x5600}})
          .build());
  EXPECT_EQ(layout.fonts[Font8x8], 0x4000);
  EXPECT_EQ(layout.fonts[Font8x14], 0x4800);
  EXPECT_EQ(layout.fonts[Font8x16], 0x5600);
}

TEST(FontLocator, Signature5WinsOverSignature6AndKeepsTheFixupsOf4) {
  RomBuilder rom(0x8000);
  rom.place(kFontSignature5, 0x200,
            {{kFont5Font8x14Operand, 0x4800}, {kFont5Font8x8Operand, 0x4000}, {kFont5Font8x16Operand, 0x5600}})
      .place(kFontSignature6, 0x100,
             {{kFont6Font8x8Operand, 0x1000}, {kFont6Font8x14Operand, 0x1800}, {kFont6Font8x16Operand, 0x2600}});
  EXPECT_FALSE(located(rom.build()).fixups[Font8x16].location);
  rom.place(kFontSignature4, 0x300, {{kFont4Fixup8x14Operand, 0x6600}, {kFont4Fixup8x16Operand, 0x6700}});
  const BiosLayout layout = located(rom.build());
  EXPECT_EQ(layout.fonts[Font8x8], 0x4000);
  EXPECT_EQ(layout.fonts[Font8x14], 0x4800);
  EXPECT_EQ(layout.fonts[Font8x16], 0x5600);
  EXPECT_EQ(layout.fixups[Font8x14].location, 0x6600);
  EXPECT_EQ(layout.fixups[Font8x16].location, 0x6700);
}

TEST(FontLocator, Signature6PlacesThe16RowFixupsAfterTheFont) {
  const BiosLayout layout = located(
      RomBuilder(0x8000)
          .place(kFontSignature6, 0x100,
                 {{kFont6Font8x8Operand, 0x4000}, {kFont6Font8x14Operand, 0x4800}, {kFont6Font8x16Operand, 0x5600}})
          .place(kFontSignature4, 0x300, {{kFont4Fixup8x14Operand, 0x6600}, {kFont4Fixup8x16Operand, 0x6700}})
          .build());
  EXPECT_EQ(layout.fonts[Font8x8], 0x4000);
  EXPECT_EQ(layout.fonts[Font8x16], 0x5600);
  EXPECT_EQ(layout.fixups[Font8x14].location, 0x6600);
  EXPECT_EQ(layout.fixups[Font8x16].location, 0x6600);
}

TEST(FontLocator, Signature6FixupsOutsideTheImageAreNone) {
  // F000h + 4096 ends the font at the end of the buffer; its fix-ups would
  // start at 10000h.
  const BiosLayout full = located(
      RomBuilder(0x10000)
          .place(kFontSignature6, 0x100,
                 {{kFont6Font8x8Operand, 0x4000}, {kFont6Font8x14Operand, 0x4800}, {kFont6Font8x16Operand, 0xF000}})
          .build());
  EXPECT_EQ(full.fonts[Font8x16], 0xF000);
  EXPECT_FALSE(full.fixups[Font8x16].location);
  EXPECT_EQ(full.fixups[Font8x16].size, 1u);
  const BiosLayout half = located(
      RomBuilder(0x8000)
          .place(kFontSignature6, 0x100,
                 {{kFont6Font8x8Operand, 0x4000}, {kFont6Font8x14Operand, 0x4800}, {kFont6Font8x16Operand, 0x7000}})
          .build());
  EXPECT_EQ(half.fonts[Font8x16], 0x7000);
  EXPECT_FALSE(half.fixups[Font8x16].location);  // 8000h is the image size
}

TEST(FontLocator, FixupSizesCountEntriesAndTheTerminator) {
  RomBuilder rom(0x8000);
  rom.place(kFontSignature4, 0x100, {{kFont4Fixup8x14Operand, 0x6000}, {kFont4Fixup8x16Operand, 0x6100}});
  for (std::size_t entry = 0; entry < 3; ++entry)
    rom.fill(0x6000 + 15 * entry, 15, 0x41).fill(0x6100 + 17 * entry, 17, 0x42);
  BiosLayout layout = located(rom.build());
  EXPECT_EQ(layout.fixups[Font8x14].size, 46u);
  EXPECT_EQ(layout.fixups[Font8x16].size, 52u);
  layout = located(rom.byte(0x6000, 0).build());
  EXPECT_EQ(layout.fixups[Font8x14].location, 0x6000);
  EXPECT_EQ(layout.fixups[Font8x14].size, 1u);
}

// The size the locator reports is what the font edits and the comparison
// walk: no 0 code byte inside the image ends the table at its last whole
// entry there, even where the buffer beyond holds more bytes; no entry and
// no terminator reaches past the image or the 64 KiB buffer.
TEST(FontLocator, FixupsMustStartInsideTheImageAndTheirWalkStopsAtItsEnd) {
  EXPECT_FALSE(located(RomBuilder(0x8000).place(kFontSignature4, 0x100, {{kFont4Fixup8x14Operand, 0x8000}}).build())
                   .fixups[Font8x14]
                   .location);
  Image image = RomBuilder(0x10000, 0x41)
                    .place(kFontSignature4, 0x100, {{kFont4Fixup8x14Operand, 0x7FE1}, {kFont4Fixup8x16Operand, 0xFFDE}})
                    .build();
  image.size = 0x8000;
  BiosLayout layout = located(image);
  EXPECT_EQ(layout.fixups[Font8x14].size, 2 * 15u);  // a third entry would pass 8000h
  EXPECT_EQ(layout.fixups[Font8x14].size, fixupEntries(image, 0x7FE1, Font8x14).bytes(0x7FE1));
  EXPECT_FALSE(layout.fixups[Font8x16].location);
  image.bytes[0x7FFF] = 0;  // a terminator on the last byte of the image counts
  EXPECT_EQ(located(image).fixups[Font8x14].size, 2 * 15u + 1);
  image.size = 0x10000;
  layout = located(image);
  EXPECT_EQ(layout.fixups[Font8x16].size, 2 * 17u);  // the buffer ends right after them
  EXPECT_EQ(layout.fixups[Font8x16].size, fixupEntries(image, 0xFFDE, Font8x16).bytes(0xFFDE));
}

struct RealFonts {
  test::RealRom rom;
  Offset font8x8, font8x14, font8x16, fixup8x14, fixup8x16, videoParameterTable;
  friend void PrintTo(const RealFonts& fonts, std::ostream* out) { *out << fonts.rom; }
};

// Read from the bytes: signature 1 (C7 06 0C 01 <8x8> 8C 0E 0E 01 C7 06 A8 04
// <pointer table> ...) at 017Bh, 0131h (Agp_sg), 0135h (BlasterAGP);
// signature 3 at 1F20h, 1ED6h, 1EA4h, 1F4Eh, 1F20h; signature 4 at 1F75h,
// 1F2Bh, 1EF9h, 1FA3h, 1F75h. Every 8x14 fix-up table has 20 entries (301
// bytes), every 8x16 one 19 entries (324 bytes).
constexpr RealFonts kRealFonts[] = {
    {test::k3k12sd, 0x5104, 0x5904, 0x6704, 0x7704, 0x7831, 0x47C4},
    {test::kAgpSg, 0x4B3A, 0x533A, 0x613A, 0x713A, 0x7267, 0x41FA},
    {test::kBlasterAgp, 0x4B6C, 0x536C, 0x616C, 0x716C, 0x7299, 0x41AC},
    {test::kV3_3500Compaq, 0x50C2, 0x58C2, 0x66C2, 0x76C2, 0x77EF, 0x4782},
    {test::kVelocity100, 0x4CC8, 0x54C8, 0x62C8, 0x72C8, 0x73F5, 0x4388},
};

class RealImageFonts : public testing::TestWithParam<RealFonts> {};

TEST_P(RealImageFonts, LocatesFontsFixupsAndParameterTable) {
  const RealFonts& expected = GetParam();
  QUARZEL_REAL_ROM(image, expected.rom);
  const BiosLayout layout = located(image);
  EXPECT_EQ(layout.fonts[Font8x8], expected.font8x8);
  EXPECT_EQ(layout.fonts[Font8x14], expected.font8x14);
  EXPECT_EQ(layout.fonts[Font8x16], expected.font8x16);
  EXPECT_EQ(layout.fixups[Font8x14].location, expected.fixup8x14);
  EXPECT_EQ(layout.fixups[Font8x16].location, expected.fixup8x16);
  EXPECT_EQ(layout.fixups[Font8x14].size, 301u);
  EXPECT_EQ(layout.fixups[Font8x16].size, 324u);
  EXPECT_EQ(layout.videoParameterTable, expected.videoParameterTable);
}

INSTANTIATE_TEST_SUITE_P(RealRoms, RealImageFonts, testing::ValuesIn(kRealFonts), test::RealRomName{});

}  // namespace
}  // namespace quarzel
