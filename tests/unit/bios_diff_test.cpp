#include "analysis/compare/bios_diff.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/analysis_pass.h"
#include "analysis/fonts/fixup_table.h"
#include "analysis/modes/video_modes.h"
#include "support/item_ref_printer.h"
#include "support/rom_builder.h"
#include "support/analysed.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;

using test::Analysed;
using test::analysed;

BiosDiff diffOf(const Analysed& a, const Analysed& b) { return diffBios(a.image, a.layout, b.image, b.layout); }

std::size_t rowOf(std::size_t parameterEntry, std::size_t extendedRecord) {
  const auto row = std::ranges::find_if(kVideoModes, [&](const VideoMode& m) {
    return m.parameterEntry == parameterEntry && m.extendedRecord == extendedRecord;
  });
  return static_cast<std::size_t>(row - kVideoModes.begin());
}

// One byte changed in each of six items of a real BIOS, and one outside
// them: each change is reported in its item's terms, and nothing else is.
TEST(DiffBios, EachChangeIsReportedInItsItemAndNothingElse) {
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  const Analysed a = analysed(rom);
  const BiosLayout& l = a.layout;
  Image changed = rom;
  changed.bytes[*l.bootString1.lengthWord] += 1;                    // string 1's count only
  changed.bytes[*l.registerTable[DramInit0].location + 2] ^= 0x08;  // DramInit0 bit 19
  changed.bytes[*l.fonts[Font8x16] + 0x41 * 16 + 5] ^= 0xFF;        // glyph 41h, row 5
  const std::size_t mode03 = rowOf(3, 3), mode111 = rowOf(9, 47);
  changed.bytes[*modeSource(rom, l, mode03).entry + 19] ^= 0x01;   // Mode 03h's entry, CRTC 9
  changed.bytes[*modeSource(rom, l, mode111).record] ^= 0x80;      // Mode 111h's record, flag bit 7
  changed.bytes[0x0200] ^= 0xFF;                                    // code
  const BiosDiff diff = diffOf(a, analysed(changed));

  // The tables, in their places in both, differ in those rows.
  const std::vector<ItemRef> expected{{DiffItem::String1},
                                      {DiffItem::Register, DramInit0},
                                      {DiffItem::Font, Font8x16},
                                      {DiffItem::VideoParameterTable},
                                      {DiffItem::ExtendedModeTable},
                                      {DiffItem::Mode, mode03},
                                      {DiffItem::Mode, mode111},
                                      {DiffItem::Rest}};
  EXPECT_EQ(differences(diff), expected);
  EXPECT_EQ(tableVerdict(diff, DiffItem::VideoParameterTable), Verdict::Differs);

  EXPECT_EQ(diff.string1.textA, diff.string1.textB);
  EXPECT_EQ(*diff.string1.countB, *diff.string1.countA + 1);
  ASSERT_EQ(diff.registers[DramInit0].fields.size(), 1u);
  const FieldChange& field = diff.registers[DramInit0].fields[0];
  EXPECT_TRUE(field.row.low <= 19 && 19 <= field.row.high) << field.row.low;
  EXPECT_NE(field.a, field.b);
  EXPECT_EQ(diff.fonts[Font8x16].glyphs, std::vector<std::uint8_t>{0x41});
  ASSERT_EQ(diff.modes.size(), 2u);
  ASSERT_EQ(diff.modes[0].entry.size(), 1u);
  EXPECT_EQ(diff.modes[0].entry[0].name(), "CRTC 9");
  EXPECT_TRUE(diff.modes[0].record.empty());
  ASSERT_EQ(diff.modes[1].record.size(), 1u);
  EXPECT_TRUE(diff.modes[1].entry.empty());
  EXPECT_EQ(diff.rest, (std::vector<ByteRange>{{0x0200, 1}}));
  EXPECT_FALSE(diff.identical);
}

// A 512-byte ROM against a 1 KiB one: the checksum bytes lie apart, and
// every byte past the smaller image counts, but for the checksum byte.
TEST(DiffBios, ImagesOfOtherSizesCompareToTheEndOfTheLarger) {
  const Analysed a = analysed(RomBuilder(0x200).build()), b = analysed(RomBuilder(0x400).build());
  const BiosDiff diff = diffOf(a, b);
  const std::vector<ItemRef> expected{
      {DiffItem::ImageSize}, {DiffItem::RomLength}, {DiffItem::Checksum}, {DiffItem::Rest}};
  EXPECT_EQ(differences(diff), expected);
  EXPECT_EQ(diff.checksum.a.offset, 0x1FFu);
  EXPECT_EQ(diff.checksum.b.offset, 0x3FFu);
  // Byte 2 holds the ROM lengths; 1FFh is A's checksum byte, 3FFh B's.
  EXPECT_EQ(diff.rest, (std::vector<ByteRange>{{2, 1}, {0x200, 0x1FF}}));

  const BiosDiff same = diffOf(a, a);
  EXPECT_TRUE(same.identical);
  EXPECT_TRUE(differences(same).empty());
}

TEST(RestRegions, JoinNearRunsButNeverAcrossAnItem) {
  BiosDiff diff;
  diff.rest = {{0x10, 2}, {0x14, 1}, {0x40, 1}, {0x48, 1}, {0x56, 1}};
  diff.inItems.set(0x45);
  const std::vector<RestRegion> regions = restRegions(diff, 16);
  ASSERT_EQ(regions.size(), 3u);
  EXPECT_EQ(regions[0].offset, 0x10u);
  EXPECT_EQ(regions[0].length, 5u);
  EXPECT_EQ(regions[0].differing, 3u);
  EXPECT_EQ(regions[1].offset, 0x40u);  // 43 bytes from the first: too far
  EXPECT_EQ(regions[1].length, 1u);
  EXPECT_EQ(regions[2].offset, 0x48u);  // 0x45 lies between: kept apart
  EXPECT_EQ(regions[2].length, 0xFu);
  EXPECT_EQ(regions[2].differing, 2u);
}

// 8x14 fix-up tables at 100h: 'A' (rows 11h), 80h (rows 22h), then 0.
RomBuilder fixups(std::initializer_list<std::uint8_t> codes) {
  RomBuilder rom(0x400);
  std::size_t entry = 0x100;
  for (const std::uint8_t code : codes) {
    rom.byte(entry, code).fill(entry + 1, 14, code == 'A' ? 0x11 : 0x22);
    entry += fixupEntryBytes(Font8x14);
  }
  return rom;
}

TEST(CompareFixups, ByTheCodesOfTheirEntries) {
  const Image a = fixups({'A', 0x80}).build();
  const auto compare = [&](const Image& b) { return compareFixups(a, 0x100, b, 0x100, Font8x14); };
  EXPECT_FALSE(compare(a).entriesDiffer);

  const FixupChanges swapped = compare(fixups({0x80, 'A'}).build());
  EXPECT_TRUE(swapped.entriesDiffer);
  EXPECT_TRUE(swapped.onlyA.empty() && swapped.onlyB.empty() && swapped.glyphs.empty());

  const FixupChanges glyph = compare(fixups({'A', 0x80}).byte(0x100 + 7, 0x99).build());
  EXPECT_EQ(glyph.glyphs, std::vector<std::uint8_t>{'A'});

  const FixupChanges codes = compare(fixups({'A', 0x81}).build());
  EXPECT_EQ(codes.onlyA, std::vector<std::uint8_t>{0x80});
  EXPECT_EQ(codes.onlyB, std::vector<std::uint8_t>{0x81});
  EXPECT_TRUE(codes.glyphs.empty());
}

// Without a 0 code byte the table ends with the last entry that fits whole
// before the end of the image.
TEST(FixupEntries, EndWithTheLastWholeEntryInTheImage) {
  const std::size_t table = 0x400 - 2 * fixupEntryBytes(Font8x14) - 1;
  const Image image = RomBuilder(0x400, 0x55).build(false);
  const FixupEntries walk = fixupEntries(image, static_cast<Offset>(table), Font8x14);
  EXPECT_EQ(walk.entries, (std::vector<std::size_t>{table, table + 15}));
  EXPECT_EQ(walk.end, 0x3FFu);
  EXPECT_FALSE(walk.terminated);
  EXPECT_TRUE(fixupEntries(image, std::nullopt, Font8x14).entries.empty());
}

// Found by fuzzing: A holds its date twice, B only the second one. The date
// compares the same, found at another place in each image, so the bytes
// that differ at A's place are reported among the rest.
TEST(DiffBios, BytesUnderAnItemKeptElsewhereAreReported) {
  const Analysed a = analysed(RomBuilder().text(0x38, "01/15/99", false).text(0x60, "01/15/99", false).build());
  const Analysed b = analysed(RomBuilder().text(0x60, "01/15/99", false).build());
  const BiosDiff diff = diffOf(a, b);
  EXPECT_EQ(diff.date.verdict, Verdict::Same);
  EXPECT_EQ(differences(diff), (std::vector<ItemRef>{{DiffItem::Checksum}, {DiffItem::Rest}}));
  EXPECT_EQ(diff.rest, (std::vector<ByteRange>{{0x38, 8}}));
}

}  // namespace
}  // namespace quarzel
