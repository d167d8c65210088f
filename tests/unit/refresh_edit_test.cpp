#include "analysis/modes/refresh_edit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/analysis_pass.h"
#include "analysis/modes/crtc_values.h"
#include "analysis/modes/mode_table_locator.h"
#include "analysis/modes/video_modes.h"
#include "support/analysed.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::Analysed;
using test::analysed;

// The timing of the first of the board's modes of the resolution.
std::optional<ModeTiming> timingOf(const Analysed& a, Resolution resolution) {
  for (const ModeSource& source : modeSources(a.image, a.layout))
    if (source.info && source.info->biosMode > kLastVgaMode && source.info->width == resolution.width &&
        source.info->height == resolution.height)
      return sourceTiming(a.image, a.layout, source);
  return std::nullopt;
}

// Every rate of every resolution on every real image: the reading gives the
// VESA figures back (the refresh within 0.5 Hz, the clock within the PLL's
// step), the mode is recognised as that rate, and only the bytes the edit
// reports changed.
TEST(ApplyRefresh, EveryStandardRateReadsBackOnEveryRealImage) {
  for (const test::RealRom& file : test::kRealRoms) {
    const auto rom = test::readRealRom(file);
    if (!rom) GTEST_SKIP() << test::kRealImageAbsent << file;
    const Analysed before = analysed(*rom);
    const auto resolutions = resolutionTimings(before.image, before.layout);
    ASSERT_GE(resolutions.size(), 9u) << file;
    for (const ResolutionTimings& r : resolutions)
      for (const TimingChoice& choice : r.choices) {
        const StandardTiming& t = *choice.timing;
        SCOPED_TRACE(std::string(file.file) + " " + refreshText({r.resolution, t.refresh}));
        Image image = *rom;
        const EditResult result = applyRefresh(image, before.layout, r.resolution, t.refresh);
        ASSERT_TRUE(result.ok());
        for (std::size_t i = 0; i < kImageCapacity; ++i) {
          const bool reported = std::ranges::any_of(
              result.written, [&](const ByteRange& w) { return i >= w.offset && i < w.offset + w.length; });
          ASSERT_TRUE(reported || image.bytes[i] == rom->bytes[i]) << "byte " << i;
        }
        const Analysed after = analysed(image);
        const auto timing = timingOf(after, r.resolution);
        ASSERT_TRUE(timing && timing->refreshHz);
        // A halved total that is no whole number of characters keeps the
        // line rate with another clock.
        const double lineRateKHz = t.pixelClockMHz * 1e3 / t.horizontalTotal;
        EXPECT_NEAR(*timing->refreshHz, lineRateKHz * 1e3 / t.verticalTotal, 0.5);
        EXPECT_NEAR(*timing->lineRateKHz, lineRateKHz, lineRateKHz * 0.005);
        if (!choice.halved) {
          EXPECT_NEAR(*timing->pixelClockMHz, t.pixelClockMHz, t.pixelClockMHz * 0.005);
        }
        EXPECT_EQ(timing->width, r.resolution.width);
        EXPECT_EQ(timing->height, r.resolution.height);
        EXPECT_EQ(standardRefresh(after.image, after.layout, r.resolution, *timing), t.refresh);
      }
  }
}

// The CRTC bytes of the entries an edit wrote, and CRTC 1Bh of its records.
std::vector<std::uint8_t> timingBytes(const Image& image, const EditResult& result) {
  std::vector<std::uint8_t> bytes;
  for (const ByteRange& w : result.written) {
    const bool entry = w.length == entry_byte::kCrtc + kCrtcRegisters - entry_byte::kMiscOutput;
    const std::size_t from = entry ? w.offset + 1 : w.offset, to = entry ? w.offset + w.length : w.offset + 1;
    bytes.insert(bytes.end(), image.bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 image.bytes.begin() + static_cast<std::ptrdiff_t>(to));
  }
  return bytes;
}

// The BIOS's entries place sync and blanking each in their own way (800x600's
// planar entry 10 starts horizontal sync 2 characters after entry 11 and
// blanks from line 599 where 11 blanks from 600): a rate written and then
// the one the BIOS had gives back every entry's CRTC bytes and the records'
// CRTC 1Bh, on every real image. 1024x768 at 85 Hz has VESA's figures.
TEST(ApplyRefresh, KeepsEachEntrysOwnPlacementOnEveryRealImage) {
  for (const test::RealRom& file : test::kRealRoms) {
    const auto rom = test::readRealRom(file);
    if (!rom) GTEST_SKIP() << test::kRealImageAbsent << file;
    const Analysed before = analysed(*rom);
    for (const ResolutionTimings& r : resolutionTimings(before.image, before.layout)) {
      const auto held = standardRefresh(before.image, before.layout, r.resolution, *timingOf(before, r.resolution));
      // A resolution held at no standard rate takes the plain figures.
      if (!held) continue;
      for (const TimingChoice& choice : r.choices) {
        SCOPED_TRACE(std::string(file.file) + " " + refreshText({r.resolution, choice.timing->refresh}));
        Image image = *rom;
        ASSERT_TRUE(applyRefresh(image, before.layout, r.resolution, choice.timing->refresh).ok());
        const EditResult back = applyRefresh(image, before.layout, r.resolution, *held);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(timingBytes(image, back), timingBytes(*rom, back));
      }
    }
    Image fast = *rom;
    ASSERT_TRUE(applyRefresh(fast, before.layout, {1024, 768}, 85).ok());
    const auto row = std::ranges::find(kVideoModes, 0x105, &VideoMode::number) - kVideoModes.begin();
    const auto entry = modeSource(before.image, before.layout, static_cast<std::size_t>(row)).entry;
    ASSERT_TRUE(entry);
    const std::span<const std::uint8_t, kParameterEntryBytes> bytes(fast.bytes.data() + *entry, kParameterEntryBytes);
    const CrtcValues v = readCrtcValues(bytes, 0);
    // VESA 1024x768 at 85 Hz: 1376 x 808, sync from 1072 for 96 dots and from
    // line 769 for 3, blanking from the display's end to the total's.
    EXPECT_EQ(v.hTotal + 5, 1376u / 8);
    EXPECT_EQ(v.hSyncStart * 8, 1072u);
    EXPECT_EQ(v.hSyncEnd, (1072u + 96) / 8 % 32);
    EXPECT_EQ(v.hBlankStart, 1024u / 8);
    EXPECT_EQ(v.hBlankEnd, (1376u / 8 - 1) % 64);
    EXPECT_EQ(v.vSyncStart, 769u);
    EXPECT_EQ(v.vSyncEnd, 772u % 16);
    EXPECT_EQ(v.vBlankStart, 767u);
    EXPECT_EQ(v.vBlankEnd, 807u % 256);
  }
}

// Each refusal names its reason and writes nothing.
TEST(ApplyRefresh, RefusesWithTheReasonWritingNothing) {
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  const Analysed a = analysed(rom);
  struct Case {
    const char* what;
    Image image;
    BiosLayout layout;
    Resolution resolution;
    unsigned refresh;
    EditError error;
  };
  BiosLayout noModeTable = a.layout;
  noModeTable.modeInfoTable.reset();
  BiosLayout unknownRecords = a.layout;
  unknownRecords.extendedRecordBytes = 7;
  // 1024x768's entry 15 running past the image's end where the table is
  // placed so; its record 51 where the file ends inside it.
  BiosLayout entryPastEnd = a.layout;
  entryPastEnd.videoParameterTable = static_cast<Offset>(rom.size - kParameterEntryBytes * 15 - 1);
  Image cut = rom;
  cut.size = *a.layout.extendedModeTable + a.layout.extendedRecordBytes * 52 - 1;
  std::fill(cut.bytes.begin() + static_cast<std::ptrdiff_t>(cut.size), cut.bytes.end(), 0);
  // Mode 10Eh (320x200, 16 bpp) made to take 1024x768's entry 15.
  Image shared = rom;
  shared.bytes[*a.layout.extendedModeTable + 6 * 37 + 3] = 15;
  // The BIOS's pixel clock limit lowered to 150 MHz.
  Image lowLimit = rom;
  const std::size_t limit = *findFirst(rom, kPixelClockLimitSignature, rom.end()) + 10;
  lowLimit.bytes[limit] = 0x80;
  lowLimit.bytes[limit + 1] = 0xD1;
  lowLimit.bytes[limit + 2] = 0xF0;
  lowLimit.bytes[limit + 3] = 0x08;
  const Case cases[] = {
      {"no mode table", rom, noModeTable, {1024, 768}, 85, EditError::NoModeTables},
      {"1152x864", rom, a.layout, {1152, 864}, 85, EditError::NoSuchResolution},
      {"80x25 text", rom, a.layout, {80, 25}, 70, EditError::NoSuchResolution},
      {"86 Hz", rom, a.layout, {1024, 768}, 86, EditError::NoStandardTiming},
      {"7-byte records", rom, unknownRecords, {1024, 768}, 85, EditError::RecordWithoutPll},
      {"an entry past the end", rom, entryPastEnd, {1024, 768}, 85, EditError::PastImageEnd},
      {"a record past the end", cut, analysed(cut).layout, {1024, 768}, 85, EditError::PastImageEnd},
      {"an entry shared with 320x200", shared, analysed(shared).layout, {1024, 768}, 85, EditError::SharedParameterEntry},
      {"157.5 MHz past 150", lowLimit, analysed(lowLimit).layout, {1280, 1024}, 85, EditError::ClockPastDacLimit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image image = c.image;
    const EditResult result = applyRefresh(image, c.layout, c.resolution, c.refresh);
    EXPECT_EQ(result.error, c.error);
    EXPECT_TRUE(result.written.empty());
    EXPECT_TRUE(image.bytes == c.image.bytes);
  }
  Image lower = lowLimit;
  EXPECT_TRUE(applyRefresh(lower, analysed(lowLimit).layout, {1280, 1024}, 75).ok());
}

TEST(RefreshText, ReadsWhatItWrites) {
  EXPECT_EQ(refreshText({{1024, 768}, 85}), "1024x768@85");
  const auto parsed = parseRefreshText("640x480@72");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->resolution, (Resolution{640, 480}));
  EXPECT_EQ(parsed->refresh, 72u);
  for (const char* bad : {"1024x768", "1024@85x768", "x768@85", "1024x768@", "1024x768@85Hz", "99999x768@85"})
    EXPECT_FALSE(parseRefreshText(bad)) << bad;
}

}  // namespace
}  // namespace quarzel
