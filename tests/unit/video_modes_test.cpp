#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "analysis/video_modes.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;

std::size_t rowOf(std::string_view text) {
  const auto row = std::find_if(kVideoModes.begin(), kVideoModes.end(),
                                [&](const VideoMode& mode) { return mode.text == text; });
  EXPECT_NE(row, kVideoModes.end()) << text;
  return static_cast<std::size_t>(row - kVideoModes.begin());
}

BiosLayout tablesAt(Location parameters, Location extended) {
  BiosLayout layout;
  layout.videoParameterTable = parameters;
  layout.extendedModeTable = extended;
  return layout;
}

TEST(VideoModeList, UsesEveryParameterEntryAndEveryExtendedRecord) {
  std::set<std::size_t> entries, records;
  for (const VideoMode& mode : kVideoModes) {
    EXPECT_LE(std::string_view(mode.text).size(), 51u);
    entries.insert(mode.parameterEntry);
    records.insert(mode.extendedRecord);
  }
  EXPECT_EQ(entries.size(), 37u);
  EXPECT_EQ(*entries.rbegin(), 36u);
  EXPECT_EQ(records.size(), 55u);
  EXPECT_EQ(*records.rbegin(), 54u);
  EXPECT_STREQ(kVideoModes[4].text, "Mode 0+/1+ - 40x25 Color Text (8x16 Font)");
  EXPECT_STREQ(kVideoModes[13].text, "Mode 109h  - 132x25 Color Text (8x16 font)");
  EXPECT_STREQ(kVideoModes[54].text, "Mode 11Bh  - 1280x1024 24 bpp (8x16 Font)");
}

// Parameter entry n starts with n columns; extended record m has m in CRTC 1Bh.
Image numberedTables() {
  RomBuilder rom(0x8000);
  for (std::uint8_t n = 0; n < 37; ++n) rom.byte(0x4000 + 64u * n, n);
  for (std::uint8_t m = 0; m < 55; ++m) rom.byte(0x6000 + 5u * m + 1, m);
  return rom.build();
}

TEST(ShowSelectedMode, ModesShareParameterEntriesButNotRecords) {
  const Image image = numberedTables();
  const BiosLayout layout = tablesAt(0x4000, 0x6000);
  struct Case {
    const char* text;
    const char* entry;
    const char* record;
  };
  for (const Case& c : {Case{"Mode 03h   - 80x25 Color Text (8x8 Font)", "3", "03"},
                        Case{"Mode 111h  - 640x480 16 bpp (8x16 Font)", "9", "2F"},
                        Case{"Mode 101h  - 640x480 8 bpp (8x16 Font)", "9", "09"}}) {
    const ModeFields fields = showSelectedMode(image, layout, rowOf(c.text));
    EXPECT_EQ(fields.columns, c.entry) << c.text;
    EXPECT_EQ(fields.crtc1B, c.record) << c.text;
  }
}

TEST(ShowSelectedMode, FieldFormats) {
  RomBuilder rom(0x8000);
  for (std::uint8_t k = 0; k < 64; ++k) rom.byte(0x4000 + k, static_cast<std::uint8_t>(0xC0 + k));
  const Image image = rom.bytes(0x6000, {0x0B, 0x1B, 0x07, 0x34, 0x12}).bytes(0x6005, {0xF8}).build();
  const BiosLayout layout = tablesAt(0x4000, 0x6000);
  const ModeFields fields = showSelectedMode(image, layout, 0);  // Mode 00h: entry 0, record 0
  EXPECT_EQ(fields.columns, "192");
  EXPECT_EQ(fields.charHeight, "194");
  EXPECT_EQ(fields.regenLength, "C4C3");
  EXPECT_EQ(fields.sequencer[0], "C5");
  EXPECT_EQ(fields.miscOutput, "C9");
  EXPECT_EQ(fields.attribute[0], "E3");
  EXPECT_EQ(fields.graphics[8], "FF");
  EXPECT_TRUE(fields.nativeMode);
  EXPECT_TRUE(fields.interlace);
  EXPECT_FALSE(fields.nativeDoubleScan);
  EXPECT_EQ(fields.pixelFormat, "01");
  EXPECT_EQ(fields.parameterIndex, "07");
  EXPECT_EQ(fields.clock, "1234");
  // Record 1 (Mode 01h): the top two bits are not part of the pixel format.
  const ModeFields high = showSelectedMode(image, layout, 1);
  EXPECT_FALSE(high.nativeMode || high.interlace || high.nativeDoubleScan);
  EXPECT_EQ(high.pixelFormat, "07");
}

TEST(ShowSelectedMode, TablesNotLocatedLeaveTheirFieldsEmpty) {
  const Image image = RomBuilder(0x8000, 0xFF).build();
  const ModeFields noParameters = showSelectedMode(image, tablesAt(std::nullopt, 0x6000), 0);
  EXPECT_EQ(noParameters.columns, "");
  EXPECT_EQ(noParameters.graphics[8], "");
  EXPECT_TRUE(noParameters.nativeMode);
  EXPECT_EQ(noParameters.clock, "FFFF");
  const ModeFields noRecords = showSelectedMode(image, tablesAt(0x4000, std::nullopt), 0);
  EXPECT_EQ(noRecords.columns, "255");
  EXPECT_FALSE(noRecords.nativeMode || noRecords.interlace || noRecords.nativeDoubleScan);
  EXPECT_EQ(noRecords.pixelFormat, "");
  EXPECT_EQ(noRecords.clock, "");
  EXPECT_EQ(showSelectedMode(image, tablesAt(0x4000, 0x6000), kVideoModeCount).columns, "");
}

TEST(ShowSelectedMode, ReadsStopAtTheBufferEnd) {
  const Image image = RomBuilder(0x10000, 0x07).build(false);
  // Entry 3 at FFC0h and record 2 at FFFAh end exactly at the buffer end.
  const BiosLayout layout = tablesAt(0xFF00, 0xFFF0);
  const ModeFields inside = showSelectedMode(image, layout, rowOf("Mode 02h   - 80x25 Color Text (8x8 Font)"));
  EXPECT_EQ(inside.columns, "7");
  EXPECT_EQ(inside.clock, "0707");
  const ModeFields past = showSelectedMode(image, layout, rowOf("Mode 03h   - 80x25 Color Text (8x8 Font)"));
  EXPECT_EQ(past.columns, "7");
  EXPECT_EQ(past.crtc1B, "");
  EXPECT_FALSE(past.nativeMode || past.interlace || past.nativeDoubleScan);
  EXPECT_EQ(showSelectedMode(image, layout, rowOf("Mode 04h   - 320x200 4-color CGA (8x8 Font)")).graphics[8], "");
}

TEST(ShowSelectedMode, BytesPastTheImageAreTheZeroFill) {
  const Image image = RomBuilder(0x8000, 0x50).build(false);
  const ModeFields fields = showSelectedMode(image, tablesAt(0x7FE0, 0x7FFE), 0);
  EXPECT_EQ(fields.columns, "80");
  EXPECT_EQ(fields.graphics[8], "00");
  EXPECT_EQ(fields.clock, "0000");
}

TEST(ShowSelectedMode, Mode111hOfARealImage) {
  // Agp_sg.rom: parameter table 41FAh, entry 9 at 443Ah = 50 1D 10 FF FF 01
  // 0F 00 0E E3 5F ... FF; extended table 7B11h, record 47 at 7BFCh =
  // 00 02 22 EA D1.
  QUARZEL_REAL_ROM(image, "Agp_sg.rom");
  const ModeFields fields = showSelectedMode(image, tablesAt(0x41FA, 0x7B11),
                                             rowOf("Mode 111h  - 640x480 16 bpp (8x16 Font)"));
  EXPECT_EQ(fields.columns, "80");
  EXPECT_EQ(fields.rowsMinus1, "29");
  EXPECT_EQ(fields.charHeight, "16");
  EXPECT_EQ(fields.regenLength, "FFFF");
  EXPECT_EQ(fields.sequencer[1], "0F");
  EXPECT_EQ(fields.miscOutput, "E3");
  EXPECT_EQ(fields.crtc[0], "5F");
  EXPECT_EQ(fields.graphics[8], "FF");
  EXPECT_FALSE(fields.nativeMode || fields.interlace || fields.nativeDoubleScan);
  EXPECT_EQ(fields.pixelFormat, "00");
  EXPECT_EQ(fields.crtc1B, "02");
  EXPECT_EQ(fields.parameterIndex, "22");
  EXPECT_EQ(fields.clock, "D1EA");
}

}  // namespace
}  // namespace quarzel
