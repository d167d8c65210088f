#include <gtest/gtest.h>

#include "analysis/modes/mode_table_locator.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;

Location locate(const Image& image) {
  BiosLayout layout;
  locateExtendedModeTable(image, layout);
  return layout.extendedModeTable;
}

TEST(ModeTableLocator, FirstMatchNamesTheWordHoldingTheTable) {
  const Image image = RomBuilder(0x8000)
                          .place(kModeTableSignature, 0x300, {{kModeTablePointerOperand, 0x7000}})
                          .place(kModeTableSignature, 0x400, {{kModeTablePointerOperand, 0x7100}})
                          .word(0x7000, 0x7B11)
                          .word(0x7100, 0x6000)
                          .build();
  EXPECT_EQ(locate(image), 0x7B11);
}

TEST(ModeTableLocator, NotFoundInTheLast30Bytes) {
  EXPECT_FALSE(locate(RomBuilder(0x8000)
                          .place(kModeTableSignature, 0x8000 - kSearchMargin, {{kModeTablePointerOperand, 0x7000}})
                          .build()));
  EXPECT_TRUE(locate(RomBuilder(0x8000)
                         .place(kModeTableSignature, 0x8000 - kSearchMargin - 1, {{kModeTablePointerOperand, 0x7000}})
                         .build()));
}

// The pointer word and the table's first record (5 bytes, with no size
// given) lie inside the image.
TEST(ModeTableLocator, PointerWordAndTableLieInsideTheImage) {
  const auto table = [](Offset pointers, Offset at) {
    return locate(
        RomBuilder(0x8000).place(kModeTableSignature, 0x300, {{kModeTablePointerOperand, pointers}}).word(0x7000, at).build());
  };
  EXPECT_FALSE(table(0xFFFF, 0x7B11));
  EXPECT_FALSE(table(0x7FFF, 0x7B11));
  EXPECT_EQ(table(0x7000, 0x8000 - 5), 0x8000 - 5);
  EXPECT_FALSE(table(0x7000, 0x8000 - 4));
}

// The pixel clock limit's instruction, its immediate last, lies wholly
// inside the image.
TEST(ModeTableLocator, PixelClockLimitInsideTheImage) {
  const auto limit = [](std::size_t at) {
    BiosLayout layout;
    locateExtendedModeTable(RomBuilder(0x8000)
                                .place(kModeTableSignature, 0x300, {{kModeTablePointerOperand, 0x7000}})
                                .place(kPixelClockLimitSignature, at)
                                .dword(at + kPixelClockLimitOperand, 160000000)
                                .build(false),
                            layout);
    return layout.pixelClockLimitHz;
  };
  EXPECT_EQ(limit(0x8000 - kPixelClockLimitSignature.size()), 160000000u);
  EXPECT_FALSE(limit(0x8000 - kPixelClockLimitSignature.size() + 1));
}

// The mode set's record look-up multiplies by its own immediate; the byte
// before the mode information table stands where its code does not.
TEST(ModeTableLocator, RecordSizeFromTheModeSetsLookUpElseTheByteBeforeTheModeTable) {
  RomBuilder rom(0x8000);
  rom.place(kModeTableSignature, 0x300, {{kModeTablePointerOperand, 0x7000}})
      .word(0x7000, 0x6000)
      .word(0x7000 + kModeInfoPointer, 0x6800);
  rom.bytes(0x67FF, {0x06, 0x03, 0x03}).byte(0x680E, 0xFF);
  BiosLayout layout;
  locateExtendedModeTable(rom.build(), layout);
  EXPECT_EQ(layout.modeInfoTable, 0x6800);
  EXPECT_EQ(layout.extendedRecordBytes, 6u);
  BiosLayout withCode;
  locateExtendedModeTable(rom.place(kRecordStrideSignature, 0x500, {}).byte(0x500 + kRecordStrideOperand, 5).build(),
                          withCode);
  EXPECT_EQ(withCode.extendedRecordBytes, 5u);
}

// A word that names no table ended by FFh inside the image is no mode
// information table: the list's own numbers and record size stand.
TEST(ModeTableLocator, NoModeTableWithoutItsEndMark) {
  RomBuilder rom(0x8000, 0x01);
  rom.place(kModeTableSignature, 0x300, {{kModeTablePointerOperand, 0x7000}})
      .word(0x7000, 0x6000)
      .word(0x7000 + kModeInfoPointer, 0x7F00);
  BiosLayout layout;
  locateExtendedModeTable(rom.build(), layout);
  EXPECT_EQ(layout.extendedModeTable, 0x6000);
  EXPECT_FALSE(layout.modeInfoTable);
  EXPECT_EQ(layout.extendedRecordBytes, kShortRecordBytes);
  BiosLayout zero;
  locateExtendedModeTable(rom.word(0x7000 + kModeInfoPointer, 0).build(), zero);
  EXPECT_FALSE(zero.modeInfoTable);
}

struct RealModeTable {
  test::RealRom rom;
  Offset table, modeInfo;
  std::size_t recordBytes;
  friend void PrintTo(const RealModeTable& real, std::ostream* out) { *out << real.rom; }
};

// 0E 07 BB <W> EB at 46D9h (W = 7DBCh), 410Fh (77EAh), 40C1h (7948h),
// 4697h (7D7Ah), 429Dh (7980h); the tables' offsets are the words at W and
// W + 4, the record size the byte before the second, as 06h or 05h in mov
// cl,size of the mode set's look-up.
constexpr RealModeTable kRealModeTables[] = {
    {test::k3k12sd, 0x80E3, 0x7E42, 6},      {test::kAgpSg, 0x7B11, 0x7870, 6},
    {test::kBlasterAgp, 0x7C6F, 0x79CE, 5},  {test::kV3_3500Compaq, 0x80A1, 0x7E00, 6},
    {test::kVelocity100, 0x7CA7, 0x7A06, 6},
};

class RealImageModeTable : public testing::TestWithParam<RealModeTable> {};

TEST_P(RealImageModeTable, Located) {
  QUARZEL_REAL_ROM(image, GetParam().rom);
  BiosLayout layout;
  locateExtendedModeTable(image, layout);
  EXPECT_EQ(layout.extendedModeTable, GetParam().table);
  EXPECT_EQ(layout.modeInfoTable, GetParam().modeInfo);
  EXPECT_EQ(layout.extendedRecordBytes, GetParam().recordBytes);
}

INSTANTIATE_TEST_SUITE_P(RealRoms, RealImageModeTable, testing::ValuesIn(kRealModeTables), test::RealRomName{});

}  // namespace
}  // namespace quarzel
