#include <gtest/gtest.h>

#include "analysis/mode_table_locator.h"
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
                          .place(kModeTableSignature, 0x300, {{3, 0x7000}})
                          .place(kModeTableSignature, 0x400, {{3, 0x7100}})
                          .word(0x7000, 0x7B11)
                          .word(0x7100, 0x6000)
                          .build();
  EXPECT_EQ(locate(image), 0x7B11);
}

TEST(ModeTableLocator, NotFoundInTheLast30Bytes) {
  EXPECT_FALSE(locate(RomBuilder(0x8000).place(kModeTableSignature, 0x8000 - 30, {{3, 0x7000}}).build()));
  EXPECT_TRUE(locate(RomBuilder(0x8000).place(kModeTableSignature, 0x8000 - 31, {{3, 0x7000}}).build()));
}

TEST(ModeTableLocator, PointerWordMustBeReadableInTheBuffer) {
  EXPECT_FALSE(locate(RomBuilder(0x8000).place(kModeTableSignature, 0x300, {{3, 0xFFFF}}).build()));
  EXPECT_EQ(locate(RomBuilder(0x8000).place(kModeTableSignature, 0x300, {{3, 0xFFFE}}).build()), 0x0000);
}

struct RealModeTable {
  const char* file;
  Offset table;
};

// 0E 07 BB <W> EB at 46D9h (W = 7DBCh), 410Fh (77EAh), 40C1h (7948h),
// 4697h (7D7Ah), 429Dh (7980h); the table offset is the word at W.
constexpr RealModeTable kRealModeTables[] = {
    {"3k12sd.rom", 0x80E3},
    {"Agp_sg.rom", 0x7B11},
    {"BlasterAGP.rom", 0x7C6F},
    {"V3_3500_AGP_SD_2.15.05_Compaq.rom", 0x80A1},
    {"Velocity100.VBI", 0x7CA7},
};

class RealImageModeTable : public testing::TestWithParam<RealModeTable> {};

TEST_P(RealImageModeTable, Located) {
  QUARZEL_REAL_ROM(image, GetParam().file);
  EXPECT_EQ(locate(image), GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(Roms, RealImageModeTable, testing::ValuesIn(kRealModeTables));

}  // namespace
}  // namespace quarzel
