#include "analysis/compare/carry_over.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/analysis_pass.h"
#include "analysis/strings/string_edits.h"
#include "support/item_ref_printer.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

struct Analysed {
  Image image;
  BiosLayout layout;
  explicit Analysed(const Image& i) : image(i) { AnalysisPass(image, layout); }
};

std::vector<ItemRef> itemsOf(const std::vector<NotCarried>& list) {
  std::vector<ItemRef> items;
  for (const NotCarried& n : list) items.push_back(n.item);
  return items;
}

// A: the real BIOS with string 1 cut short, so B's string 1 no longer fits.
// B: the real BIOS with PCIInit0's unshown bit 31 set, DramInit0's bit 19
// flipped, a glyph of the 8x16 font changed and a byte of code.
struct Pair {
  Analysed a, b;
};
Pair realPair(const Image& rom) {
  const Analysed original(rom);
  Image shorter = rom;
  EXPECT_TRUE(applyBootString(shorter, original.layout.bootString1, "Tuned\r\n").ok());
  fixChecksum(shorter);
  Image changed = rom;
  changed.bytes[*original.layout.registerTable[PCIInit0].location + 3] ^= 0x80;
  changed.bytes[*original.layout.registerTable[DramInit0].location + 2] ^= 0x08;
  changed.bytes[*original.layout.fonts[Font8x16] + 0x41 * 16] ^= 0xFF;
  changed.bytes[0x0200] ^= 0xFF;
  fixChecksum(changed);
  return {Analysed(shorter), Analysed(changed)};
}

TEST(CarryOver, EditsWhatFitsAndNamesTheRestWithItsReason) {
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  const Pair p = realPair(rom);
  const CarryOver edits = carryOver(p.a.image, p.a.layout, p.b.image, p.b.layout, {});

  EXPECT_TRUE(edits.strings.empty());
  ASSERT_EQ(edits.registers.size(), 2u);
  // A reserved bit differs: the whole value. Only a field differs: the field.
  EXPECT_EQ(edits.registers[0].index, PCIInit0);
  EXPECT_TRUE(edits.registers[0].fields.empty());
  EXPECT_EQ(edits.registers[1].index, DramInit0);
  ASSERT_EQ(edits.registers[1].fields.size(), 1u);
  EXPECT_EQ(edits.registers[1].value, p.b.layout.registerTable[DramInit0].value);
  ASSERT_EQ(edits.fonts.size(), 1u);
  EXPECT_EQ(edits.fonts[0].size, Font8x16);

  // The font edit brings both fix-up tables in line with A's fonts, which
  // wipes their own glyphs.
  const std::vector<ItemRef> left{{DiffItem::String1},
                                  {DiffItem::Fixup, Font8x14},
                                  {DiffItem::Fixup, Font8x16},
                                  {DiffItem::Checksum},
                                  {DiffItem::Rest}};
  EXPECT_EQ(itemsOf(edits.notCarried), left);
  EXPECT_EQ(edits.notCarried[0].reason, CarryRefusal::TooLong);
  EXPECT_EQ(edits.notCarried[0].textLength, 98u);
  EXPECT_EQ(edits.notCarried[0].fieldLength, 7u);
  EXPECT_EQ(edits.notCarried[1].reason, CarryRefusal::FollowsFonts);

  // Made on A, the edits leave exactly what was named.
  const Analysed carried(*carriedImage(p.a.image, p.a.layout, edits));
  EXPECT_EQ(differences(diffBios(carried.image, carried.layout, p.b.image, p.b.layout)), left);
}

TEST(CarryOver, FontsLeftOutAndGroupsNotAskedFor) {
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  const Pair p = realPair(rom);
  const CarryOver noFonts = carryOver(p.a.image, p.a.layout, p.b.image, p.b.layout, {CarryOptions{}.groups, false});
  EXPECT_TRUE(noFonts.fonts.empty());
  ASSERT_EQ(noFonts.notCarried.size(), 4u);
  EXPECT_EQ(noFonts.notCarried[1].item, (ItemRef{DiffItem::Font, Font8x16}));
  EXPECT_EQ(noFonts.notCarried[1].reason, CarryRefusal::FontsLeftOut);

  // Asked for strings alone: the registers are neither edited nor listed,
  // nor is anything outside the groups.
  CarryGroups strings{};
  strings[CarryStrings] = true;
  const CarryOver only = carryOver(p.a.image, p.a.layout, p.b.image, p.b.layout, {strings, true});
  EXPECT_TRUE(only.registers.empty() && only.fonts.empty());
  EXPECT_EQ(itemsOf(only.notCarried), std::vector<ItemRef>{{DiffItem::String1}});
}

// A ROM length byte of 0 leaves no checksum to fix, so no batch edit can
// save A: nothing is offered, and every edit is named with that reason.
TEST(CarryOver, NothingWhenAsChecksumCannotBeFixed) {
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  Pair p = realPair(rom);
  p.a.image.bytes[2] = 0;
  const CarryOver edits = carryOver(p.a.image, p.a.layout, p.b.image, p.b.layout, {});
  EXPECT_TRUE(edits.registers.empty() && edits.fonts.empty() && edits.strings.empty());
  for (const ItemRef item : {ItemRef{DiffItem::Font, Font8x16}, ItemRef{DiffItem::Checksum}}) {
    const auto refusal = std::ranges::find(edits.notCarried, item, &NotCarried::item);
    ASSERT_NE(refusal, edits.notCarried.end());
    EXPECT_EQ(refusal->reason, CarryRefusal::NoChecksumFix);
  }
}

// B runs 1024x768 at 85 Hz: the carry is that rate for the resolution, once
// for its three colour depths, and nothing is left different.
TEST(CarryOver, AStandardRefreshRateIsCarried) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  const Analysed a(rom);
  Image fast = rom;
  ASSERT_TRUE(applyRefresh(fast, a.layout, {1024, 768}, 85).ok());
  fixChecksum(fast);
  const Analysed b(fast);
  const CarryOver edits = carryOver(a.image, a.layout, b.image, b.layout, {});
  ASSERT_EQ(edits.refreshes.size(), 1u);
  EXPECT_EQ(edits.refreshes[0].setting.resolution, (Resolution{1024, 768}));
  EXPECT_EQ(edits.refreshes[0].setting.refresh, 85u);
  EXPECT_TRUE(edits.notCarried.empty()) << edits.notCarried.size();
}

}  // namespace
}  // namespace quarzel
