#include "analysis/registers/register_edits.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "analysis/registers/register_compare.h"
#include "analysis/registers/register_fields.h"
#include "analysis/registers/register_locator.h"
#include "analysis/registers/registers.h"
#include "formats/number_text.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using Values = std::array<std::uint32_t, kRegisterCount>;

// The PCI and the short PLL code only: PCIInit0, MiscInit1, AgpInit0,
// PLLCtrl1 and (when asked) PLLCtrl2 are located, the memory registers not.
Image pciAndPll(bool withPllCtrl2) {
  test::RomBuilder rom(32768, 0xEE);
  rom.place(kPciSignature, 0x1000, {{8, 0x7000}})
      .place(kPllShortSignature, 0x1200, {{15, 0x7020}, {25, 0x7024}, {35, 0x7028}})
      .dword(0x7000, 0x0180F840)
      .dword(0x7020, 0x00008001)
      .dword(0x7024, 0x0000049E)
      .dword(0x7028, 0x00004A0D)
      .dword(0x702C, 0x00007919);
  if (withPllCtrl2) rom.place(kPllCtrl2Write, 0x1200 + 39, {{6, 0x702C}});
  return rom.build();
}

BiosLayout located(const Image& image) {
  BiosLayout layout;
  locateRegisters(image, layout);
  return layout;
}

TEST(ParseHexText, ReadsAsScanfHexDoes) {
  const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
      {"abc", 0xABC},
      {"0x1F", 0x1F},
      {"  1f zz", 0x1F},
      {"\t0X4a0D\r\n", 0x4A0D},
      {"-1", 0xFFFFFFFF},
      {"0x", 0},
      {"000000001", 1},
      {"0x000000000FFFFFFFF", 0xFFFFFFFF},
      {"xyz", std::nullopt},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"-", std::nullopt},
      // Past 32 bits is refused rather than cut or saturated.
      {"100000000", std::nullopt},
      {"-123456789", std::nullopt},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(parseHexText(text), value) << '"' << text << '"';
}

TEST(ApplyRegister, LocatedStoredUnlocatedKeptBadTextIgnored) {
  const Image original = pciAndPll(false);
  Image image = original;
  BiosLayout layout = located(image);

  EXPECT_EQ(applyRegisterText(image, layout, PCIInit0, "abc").written,
            (std::vector<ByteRange>{{0x7000, 4}}));
  EXPECT_EQ(layout.registerTable[PCIInit0].value, 0xABCu);
  Image expected = original;
  expected.bytes[0x7000] = 0xBC;
  expected.bytes[0x7001] = 0x0A;
  expected.bytes[0x7002] = 0x00;
  expected.bytes[0x7003] = 0x00;
  EXPECT_TRUE(image.bytes == expected.bytes);

  EXPECT_EQ(applyRegisterText(image, layout, PCIInit0, "zz").error, EditError::NotHexNumber);
  EXPECT_EQ(applyRegisterText(image, layout, PCIInit0, "123456789").error,
            EditError::ValueTooLarge);
  EXPECT_EQ(layout.registerTable[PCIInit0].value, 0xABCu);
  // Not in this BIOS: the table takes the value, the image does not.
  EXPECT_EQ(applyRegisterText(image, layout, DramInit0, "1234").error, EditError::NotLocated);
  EXPECT_EQ(layout.registerTable[DramInit0].value, 0x1234u);
  // PLLCtrl2 without its write found ignores what was typed.
  EXPECT_EQ(applyRegisterText(image, layout, PLLCtrl2, "5678").error, EditError::NotLocated);
  EXPECT_EQ(layout.registerTable[PLLCtrl2].value, 0u);
  EXPECT_EQ(applyRegisterValue(image, layout, kRegisterCount, 1).error, EditError::NotLocated);
  EXPECT_TRUE(image.bytes == expected.bytes);

  // A file cut at 7026h: its code still loads AgpInit0 (7024h) and PLLCtrl1
  // (7028h) from past its end, where a save keeps nothing. Found by fuzzing.
  image.size = 0x7026;
  EXPECT_EQ(applyRegisterValue(image, layout, AgpInit0, 1).error, EditError::PastImageEnd);
  EXPECT_EQ(applyRegisterValue(image, layout, PLLCtrl1, 2).error, EditError::PastImageEnd);
  EXPECT_EQ(layout.registerTable[PLLCtrl1].value, 2u);
  EXPECT_TRUE(image.bytes == expected.bytes);
  EXPECT_TRUE(applyRegisterValue(image, layout, MiscInit1, 3).ok());

  Image withPll2 = pciAndPll(true);
  BiosLayout layout2 = located(withPll2);
  EXPECT_TRUE(applyRegisterText(withPll2, layout2, PLLCtrl2, "5678").ok());
  EXPECT_EQ(withPll2.dword(0x702C), 0x5678u);
}

TEST(ReloadRegisterValues, LocatedRegistersReturnToTheImage) {
  const Image image = pciAndPll(false);
  BiosLayout layout = located(image);
  // What a bit-field dialog's OK or an Apply of an unlocated row leaves.
  layout.registerTable[PCIInit0].value = 0x1FFFFB7C;
  layout.registerTable[DramInit0].value = 0x1234;
  layout.registerTable[PLLCtrl2].value = 0x99;
  reloadRegisterValues(image, layout);
  EXPECT_EQ(layout.registerTable[PCIInit0].value, 0x0180F840u);
  EXPECT_EQ(layout.registerTable[DramInit0].value, 0x1234u);
  EXPECT_EQ(layout.registerTable[PLLCtrl2].value, 0x99u);
}

// A number that does not fit its field is refused whole, never cut to the
// field's bits; text that is no number reads as 0.
TEST(ReadFieldNumber, TakesWhatFitsAndRefusesTheRest) {
  const BitField& n = kPllN;  // bits 8..15
  const std::pair<const char*, std::uint32_t> taken[] = {
      {" 7 ", 7}, {"0255", 255}, {"", 0}, {"1a", 0}, {"1 2", 0}, {"-1", 0},
  };
  for (const auto& [text, value] : taken) {
    EXPECT_EQ(readFieldNumber(n, text).number, value) << '"' << text << '"';
    EXPECT_EQ(readFieldNumber(n, text).refusal, "") << '"' << text << '"';
  }
  EXPECT_EQ(readFieldNumber(n, " 256").refusal, "256 does not fit in 8 bits (0..255)");
  EXPECT_EQ(readFieldNumber(n, "4294967552").refusal, "4294967552 does not fit in 8 bits (0..255)");
  EXPECT_EQ(readFieldNumber(kPllTest, "2").refusal, "2 does not fit in 1 bit (0..1)");
}

// The numbers of a register's rows for a value; reserved rows get all ones,
// which the rebuild must ignore.
std::vector<std::uint32_t> shownFields(const RegisterFields& table, std::uint32_t value) {
  std::vector<std::uint32_t> numbers;
  for (const BitField& field : table.fields)
    numbers.push_back(field.reserved ? 0xFFFFFFFF : fieldValue(field, value));
  return numbers;
}

// `number` in the row that starts at bit `low`, 0 in the others.
std::uint32_t fromOneField(std::size_t reg, unsigned low, std::uint32_t number) {
  const RegisterFields& table = *registerFieldsFor(reg);
  std::vector<std::uint32_t> numbers(table.fields.size(), 0);
  for (std::size_t row = 0; row < numbers.size(); ++row)
    if (table.fields[row].low == low) numbers[row] = number;
  return valueFromFields(table, numbers);
}

TEST(ValueFromFields, RebuildKeepsOnlyTheFieldBits) {
  const RegisterFields& pci = *registerFieldsFor(PCIInit0);
  EXPECT_EQ(valueFromFields(pci, shownFields(pci, 0xFFFFFFFF)), 0x1FFFFB7Cu);
  EXPECT_EQ(valueFromFields(pci, shownFields(pci, 0x12345678)), 0x12345278u);
  // Too large for its field: only the low bits stay.
  EXPECT_EQ(fromOneField(SGRAMmode, 4, 9), 0x10u);
  EXPECT_EQ(fromOneField(DramInit0, 6, 16), 0u);
  EXPECT_EQ(fromOneField(DramInit1, 1, 512), 0u);
  EXPECT_EQ(fromOneField(MiscInit1, 30, 3), 0xC0000000u);
  EXPECT_EQ(fromOneField(DramInit0, 20, 2), 0x00200000u);
  // Rows without a number read as 0.
  EXPECT_EQ(valueFromFields(pci, std::vector<std::uint32_t>{0, 31}), 0x7Cu);

  for (const RegisterFields& table : registerFieldTables()) {
    std::uint32_t fieldBits = 0;
    for (const BitField& field : table.fields)
      if (!field.reserved) fieldBits |= fieldValue(field, 0xFFFFFFFF) << field.low;
    for (const std::uint32_t value : {0xFFFFFFFFu, 0x12345678u, 0xA5A5A5A5u, 0x80000001u})
      EXPECT_EQ(valueFromFields(table, shownFields(table, value)), value & fieldBits)
          << kRegisterNames[table.registerIndex] << " " << std::hex << value;
  }
}

TEST(PllValue, DividersGiveTheValueAndTheClock) {
  EXPECT_EQ(pllValue(1, 3, 74, 0), 0x00004A0Du);
  EXPECT_EQ(frequencyText(pllFrequency(pllValue(1, 3, 74, 0))), "108.818 MHz");
  EXPECT_EQ(frequencyText(pllFrequency(pllValue(3, 63, 255, 0))), "7.07649 MHz");
  // The test bit is bit 16; nothing lands above it, and K = 4 reads as 0.
  EXPECT_EQ(pllValue(1, 3, 74, 1), 0x00014A0Du);
  EXPECT_EQ(pllValue(4, 64, 256, 2), 0u);
  EXPECT_EQ(pllValue(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF), 0x0001FFFFu);
}

TEST(RegisterCompare, SyntheticBioses) {
  Image image = pciAndPll(true);
  BiosLayout layout = located(image);
  const CompareScan self = scanCompareRegisters(image);
  EXPECT_EQ(compareFrequencyText(self), "108.818 MHz");
  const auto verdict = [&](std::size_t i) { return registerVerdict(layout.registerTable[i].value, self.values[i]); };
  for (std::size_t i = 0; i < kRegisterCount; ++i) EXPECT_STREQ(verdict(i), "equals") << kRegisterNames[i];
  // Values count, not locations: a value typed for an unlocated row (refused,
  // the image untouched) differs too.
  ASSERT_TRUE(applyRegisterText(image, layout, AgpInit0, "49F").ok());
  EXPECT_EQ(applyRegisterText(image, layout, DramInit0, "1").error, EditError::NotLocated);  // kept, not written
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    EXPECT_STREQ(verdict(i), i == AgpInit0 || i == DramInit0 ? "differs" : "equals")
        << kRegisterNames[i];

  const CompareScan noPll = scanCompareRegisters(test::RomBuilder(32768, 0xEE)
                                                     .place(kPciSignature, 0x1000, {{8, 0x7000}})
                                                     .dword(0x7000, 0x1234)
                                                     .build());
  EXPECT_FALSE(noPll.pllFound);
  EXPECT_EQ(compareFrequencyText(noPll), " ");
  EXPECT_EQ(noPll.values, (Values{0x1234, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(RegisterCompare, TwoRealBioses) {
  QUARZEL_REAL_ROM(first, test::kBlasterAgp);
  QUARZEL_REAL_ROM(second, test::kAgpSg);
  BiosLayout layout = located(first);
  const CompareScan scan = scanCompareRegisters(second);
  // Read by hand at the operands of Agp_sg.rom's register code. BlasterAGP.rom's
  // memory code is not found, so its MiscInit0, DramInit0 and SGRAMmode
  // have nothing to compare: not even Agp_sg's MiscInit0 of 0 "equals".
  EXPECT_EQ(scan.values, (Values{0x0180F840, 0x00000000, 0x00000001, 0x0017A16A, 0x00548031,
                                 0x0000049E, 0x00002805, 0x00007919, 0x00000037}));
  EXPECT_EQ(compareFrequencyText(scan), "100.227 MHz");
  const std::vector<std::string> verdicts{"equals", "not found", "equals",  "not found", "equals",
                                          "equals", "equals",    "differs", "not found"};
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    EXPECT_EQ(registerVerdict(locatedValue(layout.registerTable[i]), comparedValue(scan, i)), verdicts[i]) << kRegisterNames[i];
  EXPECT_EQ(compareValueText(scanCompareRegisters(first), DramInit0), "not found");
}

}  // namespace
}  // namespace quarzel
