#include <gtest/gtest.h>

#include <random>

#include "analysis/analysis_pass.h"
#include "analysis/strings/sign_on_code.h"
#include "analysis/fonts/font_locator.h"
#include "analysis/modes/mode_table_locator.h"
#include "analysis/pci_vesa/pcir_locator.h"
#include "analysis/registers/register_locator.h"
#include "analysis/pci_vesa/vesa_locator.h"
#include "analysis/modes/video_modes.h"
#include "formats/dump_listing.h"
#include "formats/glyph_sheet.h"
#include "support/rom_builder.h"

namespace quarzel {
namespace {

TEST(AnalysisPass, ANewImageReplacesEveryItem) {
  const Image withStrings = test::RomBuilder()
                                .place(kString1Main, 0x100, {{kString1CountOperand, 5}, {kString1Operand, 0x2000}})
                                .text(0x2000, "Hello")
                                .place(kPcirSignature, 0x200)
                                .build();
  const Image without = test::RomBuilder().text(0x38, "01/02/03", false).build();
  BiosLayout layout;
  AnalysisPass(withStrings, layout);
  ASSERT_TRUE(layout.bootString1.address);
  ASSERT_TRUE(layout.pcir);
  AnalysisPass(without, layout);
  EXPECT_FALSE(layout.bootString1.address);
  EXPECT_FALSE(layout.bootCodeAddress);
  EXPECT_EQ(layout.logoLines[0], "");
  EXPECT_FALSE(layout.pcir);
  EXPECT_EQ(layout.biosDate.address, 0x38);
}

// Only an image without any item counts as nothing found; one item is enough.
TEST(AnalysisPass, FoundAnyItemNeedsOnlyOne) {
  BiosLayout layout;
  AnalysisPass(test::RomBuilder().build(), layout);
  EXPECT_FALSE(foundAnyItem(layout));
  AnalysisPass(test::RomBuilder().place(kPcirSignature, 0x200).build(), layout);
  EXPECT_TRUE(foundAnyItem(layout));
  AnalysisPass(test::RomBuilder().text(0x38, "01/02/03", false).build(), layout);
  EXPECT_TRUE(foundAnyItem(layout));
}

TEST(AnalysisPass, ImageOf30BytesFindsOnlyTheDate) {
  Image image = test::RomBuilder(64)
                    .place(kPcirSignature, 4)
                    .text(12, "06/16/00", false)
                    .build(false);
  image.size = 30;
  BiosLayout layout;
  AnalysisPass(image, layout);
  EXPECT_FALSE(layout.pcir);
  EXPECT_FALSE(layout.bootString1.address);
  EXPECT_FALSE(layout.fonts[Font8x8]);
  for (const RegisterEntry& entry : layout.registerTable) EXPECT_FALSE(entry.location);
  EXPECT_EQ(layout.biosDate.address, 12);
}

// Images made of the signatures' own bytes, with signatures and wild
// operands thrown in anywhere, the end of the buffer included: the pass and
// everything that reads through its offsets must stay inside the buffer and
// keep the tables it reports inside the image.
Image wildImage(std::mt19937& random) {
  static constexpr const Signature* kSignatures[] = {
      &kString1Main, &kPciSignature, &kMemorySignature, &kPllLongSignature, &kPllShortSignature,
      &kDramInit1Signature, &kFontSignature1, &kFontSignature3, &kFontSignature4, &kFontSignature5,
      &kFontSignature6, &kPcirSignature, &kVesaPattern1, &kVesaPattern3, &kModeTableSignature};
  static constexpr std::uint8_t kBytes[] = {0x00, 0xFF, 0x66, 0x8D, 0x2F, 0x0E, 0x7E, 0xB7, 0xEF, 0x20};
  std::uniform_int_distribution<std::size_t> size(2, kImageCapacity);
  test::RomBuilder rom(size(random));
  Image base = rom.build(false);
  std::uniform_int_distribution<std::size_t> anywhere(0, kImageCapacity - 1), pick(0, std::size(kBytes) - 1);
  for (std::size_t i = 0; i < base.size; i += 1 + anywhere(random) % 64) rom.byte(i, kBytes[pick(random)]);
  std::uniform_int_distribution<int> word(0, 0xFFFF);
  for (const Signature* signature : kSignatures) {
    const std::size_t at = random() % 2 ? anywhere(random) : base.size - std::min<std::size_t>(base.size, 80) + random() % 50;
    rom.place(*signature, std::min(at, kImageCapacity - signature->size()));
    for (std::size_t pos = 0; pos < signature->size(); ++pos)
      if (!signature->compared(pos)) rom.byte(at + pos, static_cast<std::uint8_t>(word(random)));
  }
  return rom.build(false);
}

// Counts a located item, which must lie wholly inside the image: past its
// end the card holds other bytes than the file's.
int inside(const Image& image, std::optional<std::size_t> item, std::size_t length) {
  if (!item) return 0;
  EXPECT_TRUE(image.holds(*item, length)) << *item << " + " << length << " in " << image.size;
  return 1;
}
int inside(const Image& image, const Location& item, std::size_t length) {
  return inside(image, item ? std::optional<std::size_t>(*item) : std::nullopt, length);
}

TEST(AnalysisPass, WildImagesKeepEveryItemInsideTheImage) {
  std::mt19937 random(20261208);
  int fonts = 0, registers = 0, strings = 0, tables = 0, entries = 0;
  for (int round = 0; round < 300; ++round) {
    const Image image = wildImage(random);
    BiosLayout layout;
    AnalysisPass(image, layout);
    SCOPED_TRACE(round);
    for (const FontSize size : kFontSizes) {
      fonts += inside(image, layout.fonts[size], fontTableBytes(size));
      inside(image, layout.fixups[size].location, 1);
    }
    for (const RegisterEntry& entry : layout.registerTable) registers += inside(image, entry.location, kRegisterBytes);
    // A text starts inside the image and ends at its end at the latest.
    for (const VesaString& string : layout.vesa) strings += inside(image, string.address, 1);
    for (const BootString* string : {&layout.bootString1, &layout.bootString2}) {
      strings += inside(image, string->address, 1);
      inside(image, string->lengthWord, 2);
    }
    inside(image, layout.biosDate.address, kBiosDateLength);
    tables += inside(image, layout.videoParameterTable, kParameterEntryBytes) +
              inside(image, layout.extendedModeTable, 1) + inside(image, layout.modeInfoTable, 1);
    for (const ModeSource& source : modeSources(image, layout))
      entries += inside(image, source.entry, kParameterEntryBytes) +
                 inside(image, source.record, layout.extendedRecordBytes);
    for (std::size_t row = 0; row < kVideoModeCount; ++row) showSelectedMode(image, layout, row);
    renderGlyphSheet(image, layout.fonts[Font8x8], Font8x8);
    renderGlyphSheet(image, layout.fonts[Font8x14], Font8x14);
    renderGlyphSheet(image, layout.fonts[Font8x16], Font8x16);
    EXPECT_EQ(dumpListing(image).size(), (image.size + 15) / 16 * kDumpLineLength);
  }
  // The images must really put the locators to work.
  EXPECT_GT(fonts, 50);
  EXPECT_GT(registers, 300);
  EXPECT_GT(strings, 50);
  EXPECT_GT(tables, 50);
  EXPECT_GT(entries, 1000);
}

}  // namespace
}  // namespace quarzel
