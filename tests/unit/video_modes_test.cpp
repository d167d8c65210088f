#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "analysis/analysis_pass.h"
#include "analysis/modes/mode_info_table.h"
#include "analysis/modes/mode_table_locator.h"
#include "analysis/sample_image.h"
#include "analysis/modes/video_modes.h"
#include "formats/text_format.h"
#include "support/analysed.h"
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
    // The numbers that find the mode in a BIOS's table are the ones the row names.
    EXPECT_NE(std::string_view(mode.text).find(formatText("%ux%u", mode.width, mode.height)), std::string_view::npos)
        << mode.text;
    if (mode.number > kLastVgaMode) {
      EXPECT_TRUE(std::string_view(mode.text).starts_with(formatText("Mode %Xh", mode.number))) << mode.text;
    }
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

// Past the image's end the card holds other bytes than the file's.
TEST(ShowSelectedMode, AnEntryOrRecordRunningPastTheImageShowsNothing) {
  const Image image = RomBuilder(0x8000, 0x50).build(false);
  const ModeFields inside = showSelectedMode(image, tablesAt(0x7FC0, 0x7FFB), 0);
  EXPECT_EQ(inside.columns, "80");
  EXPECT_EQ(inside.clock, "5050");
  const ModeFields past = showSelectedMode(image, tablesAt(0x7FC1, 0x7FFC), 0);
  EXPECT_EQ(past.columns, "");
  EXPECT_EQ(past.graphics[8], "");
  EXPECT_EQ(past.clock, "");
}

// A real image as the analysis pass reads it.
std::optional<test::Analysed> analysedRom(const test::RealRom& file) {
  const auto image = test::readRealRom(file);
  return image ? std::optional(test::analysed(*image)) : std::nullopt;
}

// Agp_sg.rom against its disassembly: mode 03h's record is the one its mode
// table names (18h), its entry the 200-line one that 35D4h picks; the 400-
// line rows take entries 17h + mode/2 and 19h; mode 10Eh's 6-byte record 37
// (7BEFh: 0D 00 01 21 EA D1) gives index 21h. BlasterAGP.rom numbers its
// records otherwise in 5-byte records; 3k12sd.rom calls 320x200 8 bpp 120h.
TEST(ModeSource, TheRecordAndEntryTheBiosUses) {
  struct Case {
    test::RealRom file;
    const char* row;
    const char* thisBios;
    std::size_t record, entry;
  };
  for (const Case& c :
       {Case{test::kAgpSg, "Mode 03h   - 80x25 Color Text (8x8 Font)", "mode 03h", 24, 3},
        Case{test::kAgpSg, "Mode 2+/3+ - 80x25 Color Text (8x16 Font)", "mode 02h", 24, 24},
        Case{test::kAgpSg, "Mode 7+    - 80x25 Mono Text (8x16 Font)", "mode 07h", 25, 25},
        Case{test::kAgpSg, "Mode 13h   - 320x200 256-color VGA (8x8 Font)", "mode 13h", 28, 28},
        Case{test::kAgpSg, "Mode 10Eh  - 320x200 16 bpp (8x8 Font)", "VESA 10Eh, mode 79h", 37, 33},
        Case{test::kBlasterAgp, "Mode 11Ah  - 1280x1024 16 bpp (8x16 Font)", "VESA 11Ah, mode 74h", 55, 29},
        Case{test::k3k12sd, "Mode 180h  - 320x200 8 bpp (8x8 Font)", "VESA 120h, mode 78h", 33, 33}}) {
    const auto rom = analysedRom(c.file);
    if (!rom) GTEST_SKIP() << test::kRealImageAbsent << c.file;
    const ModeFields fields = showSelectedMode(rom->image, rom->layout, rowOf(c.row));
    EXPECT_EQ(fields.thisBios, c.thisBios) << c.row;
    EXPECT_EQ(fields.record, std::to_string(c.record)) << c.row;
    EXPECT_EQ(fields.parameterEntry, std::to_string(c.entry)) << c.row;
  }
}

// Rows head their mode with the number this BIOS gives it: 3k12sd.rom numbers
// twelve low-resolution modes from 120h where the list says 180h to 18Bh,
// 10Eh and 10Fh; Agp_sg.rom keeps the list's; an image without a mode table
// keeps the list's texts.
TEST(ModeHeading, TheBiosNumbersTheRows) {
  const auto own = analysedRom(test::k3k12sd);
  const auto list = analysedRom(test::kAgpSg);
  if (!own || !list) GTEST_SKIP() << "shared/roms absent";
  const std::vector<std::string> renamed = modeHeadings(own->image, own->layout);
  const std::vector<std::string> kept = modeHeadings(list->image, list->layout);
  std::size_t changed = 0;
  for (std::size_t row = 0; row < kVideoModeCount; ++row) {
    EXPECT_EQ(kept[row], kVideoModes[row].text);
    if (renamed[row] == kVideoModes[row].text) continue;
    ++changed;
    const auto source = modeSource(own->image, own->layout, row);
    EXPECT_EQ(renamed[row].substr(0, 9), formatText("Mode %03Xh", unsigned{source.info->vesaMode}));
    EXPECT_EQ(renamed[row].substr(9), std::string(kVideoModes[row].text).substr(9));
  }
  EXPECT_EQ(changed, 12u);
  EXPECT_EQ(renamed[rowOf("Mode 180h  - 320x200 8 bpp (8x8 Font)")], "Mode 120h  - 320x200 8 bpp (8x8 Font)");
  EXPECT_EQ(modeHeadings(Image{}, BiosLayout{})[21], kVideoModes[21].text);
}

// The IBM VGA and VESA DMT figures come out on every real image: the clock
// within the PLL's step, refresh and line rate within 0.1. Clock, total and
// display count the same pixels: where the sequencer halves the dot clock
// (mode 0+, 0Dh) or a pixel takes two dots (13h), the clock is the
// crystal's divided.
TEST(ModeTiming, StandardFiguresOnEveryRealImage) {
  struct Standard {
    const char* row;
    double clock, refresh, lineRate;
    const char* display;
  };
  const Standard standards[] = {
      {"Mode 2+/3+ - 80x25 Color Text (8x16 Font)", 28.322, 70.1, 31.5, "720x400"},
      {"Mode 03h   - 80x25 Color Text (8x8 Font)", 25.175, 70.1, 31.5, "640x200"},
      {"Mode 0+/1+ - 40x25 Color Text (8x16 Font)", 14.161, 70.1, 31.5, "360x400"},
      {"Mode 0Dh   - 320x200 16-color planar (8x8 Font)", 12.5875, 70.1, 31.5, "320x200"},
      {"Mode 13h   - 320x200 256-color VGA (8x8 Font)", 12.5875, 70.1, 31.5, "320x200"},
      {"Mode 180h  - 320x200 8 bpp (8x8 Font)", 12.5875, 70.1, 31.5, "320x200"},
      {"Mode 101h  - 640x480 8 bpp (8x16 Font)", 25.175, 59.9, 31.5, "640x480"},
      {"Mode 114h  - 800x600 16 bpp (8x16 Font)", 40.0, 60.3, 37.9, "800x600"},
      {"Mode 105h  - 1024x768 8 bpp (8x16 Font)", 65.0, 60.0, 48.4, "1024x768"},
      {"Mode 11Bh  - 1280x1024 24 bpp (8x16 Font)", 108.0, 60.0, 64.0, "1280x1024"},
  };
  for (const test::RealRom& file : test::kRealRoms) {
    const auto rom = analysedRom(file);
    if (!rom) GTEST_SKIP() << test::kRealImageAbsent << file;
    for (const Standard& standard : standards) {
      SCOPED_TRACE(std::string(file.file) + ": " + standard.row);
      const auto timing = sourceTiming(rom->image, rom->layout, modeSource(rom->image, rom->layout, rowOf(standard.row)));
      ASSERT_TRUE(timing && timing->pixelClockMHz && timing->refreshHz);
      EXPECT_NEAR(*timing->pixelClockMHz, standard.clock, 0.05);
      EXPECT_NEAR(*timing->refreshHz, standard.refresh, 0.1);
      EXPECT_NEAR(*timing->lineRateKHz, standard.lineRate, 0.1);
      EXPECT_EQ(formatText("%ux%u", timing->width, timing->height), standard.display);
      EXPECT_NEAR(*timing->pixelClockMHz * 1e3 / timing->horizontalTotal, standard.lineRate, 0.1);
      EXPECT_EQ(timing->horizontalDisplay, timing->width);
    }
  }
}

// The built-in sample carries the standard VGA entries: its VGA rows time as
// on a card, 60 Hz at 480 lines and 70 Hz at 200, 350 and 400.
TEST(ModeTiming, TheSampleTimesItsVgaModesAsACard) {
  const Image image = sampleImage();
  BiosLayout layout;
  AnalysisPass(image, layout);
  for (std::size_t row = 0; row < kVideoModeCount; ++row) {
    const VideoMode& mode = kVideoModes[row];
    if (mode.number > kLastVgaMode) continue;
    SCOPED_TRACE(mode.text);
    const auto timing = sourceTiming(image, layout, modeSource(image, layout, row));
    ASSERT_TRUE(timing && timing->refreshHz);
    EXPECT_NEAR(*timing->refreshHz, timing->verticalDisplay == 480 ? 59.94 : 70.09, 0.01);
  }
}

// A mode table that lacks a row's mode: the row says so and shows nothing.
TEST(ModeSource, AModeTheBiosDoesNotDefineShowsNothing) {
  test::RomBuilder rom(0x8000);
  rom.place(kModeTableSignature, 0x300, {{kModeTablePointerOperand, 0x7000}})
      .word(0x7000, 0x6000)
      .word(0x7000 + kModeInfoPointer, 0x6800);
  rom.bytes(0x6800, {0x03, 0x03, 0x03, 0x00, 0x00, 0x08, 0x04, 80, 0, 25, 0, 160, 0, 16, 0xFF});
  const Image image = rom.byte(0x67FF, 6).build();
  BiosLayout layout;
  AnalysisPass(image, layout);
  const ModeFields missing = showSelectedMode(image, layout, rowOf("Mode 101h  - 640x480 8 bpp (8x16 Font)"));
  EXPECT_EQ(missing.thisBios, "not in this BIOS");
  EXPECT_EQ(missing.record, "");
  EXPECT_EQ(missing.clock, "");
  EXPECT_EQ(missing.refresh, "");
  EXPECT_EQ(showSelectedMode(image, layout, rowOf("Mode 03h   - 80x25 Color Text (8x8 Font)")).record, "3");
}

// Misc Output selecting the PLL with no PLL value in the record leaves the
// clock unknown; an interlaced record shows both fields' lines.
TEST(ModeTiming, UnknownClockAndInterlace) {
  std::array<std::uint8_t, kParameterEntryBytes> entry{};
  entry[entry_byte::kSequencer] = 0x01;
  entry[entry_byte::kMiscOutput] = 0x2F;
  entry[entry_byte::kCrtc + 0x12] = 0xFF;  // 256 lines
  entry[entry_byte::kCrtc + 6] = 0xFF;
  const ModeTiming noClock = modeTiming(entry, ExtendedRecord{0x01, 0, 0, 0});
  EXPECT_FALSE(noClock.pixelClockMHz || noClock.refreshHz || noClock.lineRateKHz);
  EXPECT_EQ(lineRateText(noClock), "");
  const ModeTiming interlaced = modeTiming(entry, ExtendedRecord{0x03, 0, 0, 0xE15D});
  EXPECT_EQ(interlaced.height, 512u);
  EXPECT_NEAR(*interlaced.pixelClockMHz, 65.0, 0.01);
}

}  // namespace
}  // namespace quarzel
