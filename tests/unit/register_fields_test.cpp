#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/registers/register_fields.h"
#include "analysis/registers/registers.h"

namespace quarzel {
namespace {

std::uint32_t bitsOf(const BitField& field) {
  const std::uint64_t width = field.high - field.low + 1u;
  return static_cast<std::uint32_t>(((std::uint64_t{1} << width) - 1) << field.low);
}

bool isReserved(const BitField& field) { return field.reserved; }

// The bits of each register's fields and of its "Reserved" rows, taken from
// the chip's register descriptions rather than from the rows themselves.
struct RegisterFacts {
  std::size_t registerIndex;
  std::uint32_t fieldBits;     // bits that take a number
  std::uint32_t reservedRows;  // reserved bits that have a "Reserved" row
};

const RegisterFacts kFacts[] = {
    {PCIInit0, 0x1FFFFB7C, 0x00000483}, {MiscInit0, 0xFFFDFFFF, 0x00020000}, {MiscInit1, 0xFF7FFFFF, 0x00800000},
    {DramInit0, 0x7FFFFFFF, 0},         {DramInit1, 0x7FFFFFFF, 0},          {AgpInit0, 0x000007FF, 0},
    {PLLCtrl1, 0x0001FFFF, 0},          {SGRAMmode, 0x000007FF, 0},
};

TEST(RegisterFields, EveryRegisterButPllCtrl2CoversExactlyTheBitsTheChipDefines) {
  ASSERT_EQ(registerFieldTables().size(), std::size(kFacts));
  for (const RegisterFacts& facts : kFacts) {
    SCOPED_TRACE(kRegisterNames[facts.registerIndex]);
    const RegisterFields* table = registerFieldsFor(facts.registerIndex);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->registerIndex, facts.registerIndex);
    std::uint32_t fieldBits = 0, reservedRows = 0;
    for (const BitField& field : table->fields) {
      (isReserved(field) ? reservedRows : fieldBits) |= bitsOf(field);
      if (isReserved(field)) {
        EXPECT_STREQ(field.text, "Reserved");
      }
    }
    EXPECT_EQ(fieldBits, facts.fieldBits);
    EXPECT_EQ(reservedRows, facts.reservedRows);
  }
  EXPECT_EQ(registerFieldsFor(PLLCtrl2), nullptr);
  EXPECT_EQ(registerFieldsFor(kRegisterCount), nullptr);
}

// Each text opens with the range of numbers its field holds, which catches
// a row whose bits were copied wrong.
TEST(RegisterFields, TextsStateTheRangeOfTheirField) {
  for (const RegisterFields& table : registerFieldTables()) {
    for (const BitField& field : table.fields) {
      if (isReserved(field)) continue;
      std::uint32_t largest = bitsOf(field) >> field.low;
      // The 9-bit refresh load of DramInit1 is labelled one too high.
      if (table.registerIndex == DramInit1 && field.low == 1) largest = 512;
      const std::string prefix = "(0.." + std::to_string(largest) + ") - ";
      EXPECT_EQ(std::string(field.text).rfind(prefix, 0), 0u) << kRegisterNames[table.registerIndex] << ": " << field.text;
    }
  }
}

const BitField& rowAt(std::size_t reg, int low) {
  const auto fields = registerFieldsFor(reg)->fields;
  const auto row =
      std::find_if(fields.begin(), fields.end(), [&](const BitField& f) { return f.low == low; });
  if (row == fields.end()) throw std::out_of_range("no row at bit " + std::to_string(low));
  return *row;
}

// A broken text's second line keeps its indent, so that on one line, as
// the CLI prints it, the text stays as it always was.
TEST(RegisterFields, TextsKeepTheirIndentsAndTypography) {
  EXPECT_EQ(singleLineText(rowAt(MiscInit0, 8)),
            "(0..7) - Programmable delay to be added to the blank signal before it"
            "             outputs to the TV out interface.");
  EXPECT_EQ(std::ranges::count(std::string(rowAt(MiscInit0, 8).text), '\n'), 1);
  EXPECT_STREQ(rowAt(MiscInit1, 1).text, "(0..3) - tri_mode \xE2\x80\x93 triangle iterator mode.");
  EXPECT_STREQ(
      rowAt(DramInit1, 26).text,
      "(0..1) - mctl_no_aggressive \xE2\x80\x93 turn off mem_ctrl\xE2\x80\x99s aggressive row "
      "activation.");
}

TEST(RegisterFields, FieldValuesOfPciInit0) {
  std::vector<std::uint32_t> shown;
  std::uint32_t rebuilt = 0;
  for (const BitField& field : registerFieldsFor(PCIInit0)->fields) {
    if (isReserved(field)) continue;
    shown.push_back(fieldValue(field, 0xFFFFFFFF));
    rebuilt |= fieldValue(field, 0x12345678) << field.low;
  }
  EXPECT_EQ(shown, (std::vector<std::uint32_t>{31, 1, 1, 1, 1, 31, 1, 1, 63, 1, 3}));
  EXPECT_EQ(rebuilt, 0x12345278u);
  EXPECT_EQ(fieldValue(rowAt(MiscInit1, 30), 0xC0000000), 3u);
  EXPECT_EQ(fieldValue(rowAt(DramInit1, 1), 0xFFFFFFFF), 511u);
}

TEST(RowsOfEveryBit, ReservedRowsFillTheBitsNoRowCovers) {
  for (const RegisterFields& table : registerFieldTables()) {
    const char* name = kRegisterNames[table.registerIndex];
    const std::vector<BitField> rows = rowsOfEveryBit(table);
    unsigned next = 0;
    for (const BitField& row : rows) {
      EXPECT_EQ(row.low, next) << name;
      next = row.high + 1u;
    }
    EXPECT_EQ(next, 32u) << name;
    EXPECT_EQ(std::ranges::count_if(rows, isReserved) - std::ranges::count_if(table.fields, isReserved),
              static_cast<std::ptrdiff_t>(rows.size() - table.fields.size()));
  }
  const std::vector<BitField> pci = rowsOfEveryBit(*registerFieldsFor(PCIInit0));
  EXPECT_EQ(bitRangeText(pci.back()), "29..31");
  EXPECT_TRUE(pci.back().reserved);
}

TEST(ValueWithFields, FoundByTheirBitsOthersKeptReservedDroppedChangesCombine) {
  const RegisterFields& pci = *registerFieldsFor(PCIInit0);
  for (const char* bits : {"0..1", "7", "29..31", "8..8", "2..5", ""}) EXPECT_FALSE(fieldRowAt(pci, bits)) << bits;
  const std::size_t low = *fieldRowAt(pci, "2..6"), top = *fieldRowAt(pci, "27..28");
  EXPECT_EQ(fieldMaximum(rowAt(DramInit1, 1)), 511u);  // labelled "(0..512)"
  // No change rebuilds the value as it was but for its reserved bits.
  EXPECT_EQ(valueWithFields(pci, 0xFFFFFFFF, {}), 0x1FFFFB7Cu);
  const std::vector<RowNumber> two{{low, 0}, {top, 1}}, twice{{low, 3}, {low, 5}};
  EXPECT_EQ(valueWithFields(pci, 0xFFFFFFFF, two), 0x0FFFFB00u);
  EXPECT_EQ(valueWithFields(pci, 0, twice), 5u << 2);  // the later number wins
  // The top bits, and a row past the table, which is ignored.
  const RegisterFields& misc1 = *registerFieldsFor(MiscInit1);
  const std::vector<RowNumber> tail{{*fieldRowAt(misc1, "30..31"), 3}, {misc1.fields.size(), 1}};
  EXPECT_EQ(valueWithFields(misc1, 0x00800001, tail), 0xC0000001u);
}

// The PLL's control word as the chip lays it out: K in bits 0..1, M in
// 2..7, N in 8..15, the test bit 16.
TEST(Pll, DividersOfAControlWordRebuildIt) {
  const PllDividers d = pllDividers(0xFFFE4A0D);
  EXPECT_EQ((std::array{d.k, d.m, d.n, d.test}), (std::array<std::uint32_t, 4>{1, 3, 74, 0}));
  EXPECT_EQ(pllValue(d.k, d.m, d.n, d.test), 0x4A0Du);
  EXPECT_EQ(pllFrequency(0x14A0D), pllFrequency(0x4A0D));  // the test bit leaves the clock
}

TEST(FormatBinary32, GroupsOfEightEachFollowedByABlank) {
  EXPECT_EQ(formatBinary32(0x12345678), "00010010 00110100 01010110 01111000 ");
  EXPECT_EQ(formatBinary32(0x80000001), "10000000 00000000 00000000 00000001 ");
  EXPECT_EQ(formatBinary32(0xFFFFFFFF).size(), 36u);
}

}  // namespace
}  // namespace quarzel
