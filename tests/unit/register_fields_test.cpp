#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/register_fields.h"
#include "analysis/registers.h"

namespace quarzel {
namespace {

std::uint32_t bitsOf(const BitField& field) {
  const std::uint64_t width = field.high - field.low + 1u;
  return static_cast<std::uint32_t>(((std::uint64_t{1} << width) - 1) << field.low);
}

bool isReserved(const BitField& field) { return field.fieldEdit == 0; }

// What each dialog must show, taken from the chip's register descriptions
// rather than from the rows themselves.
struct DialogFacts {
  int dialogId;
  std::uint32_t fieldBits;                        // bits with an edit
  std::uint32_t reservedRows;                     // reserved bits that have a "Reserved" row
  std::vector<std::pair<int, int>> fieldEditIds;  // inclusive ranges
};

const DialogFacts kFacts[] = {
    {111, 0x1FFFFB7C, 0x00000483, {{1031, 1041}}},
    {112, 0xFFFDFFFF, 0x00020000, {{1035, 1048}}},
    {114, 0xFF7FFFFF, 0x00800000, {{1039, 1064}}},
    {115, 0x7FFFFFFF, 0, {{1040, 1050}, {1053, 1059}}},
    {116, 0x7FFFFFFF, 0, {{1055, 1071}}},
    {117, 0x000007FF, 0, {{1058, 1061}}},
    {118, 0x0001FFFF, 0, {{1061, 1064}}},
    {119, 0x000007FF, 0, {{1068, 1073}}},
};

TEST(RegisterDialogs, OneDialogPerRegisterButPllCtrl2) {
  std::vector<int> ids;
  for (const RegisterDialog& dialog : registerDialogs()) ids.push_back(dialog.dialogId);
  EXPECT_EQ(ids, (std::vector<int>{111, 112, 114, 115, 116, 117, 118, 119}));

  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    SCOPED_TRACE(kRegisterNames[i]);
    const RegisterDialog* dialog = registerDialogFor(i);
    if (i == PLLCtrl2) {
      EXPECT_EQ(dialog, nullptr);
      continue;
    }
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->registerIndex, i);
    EXPECT_EQ(dialog->systemMenu, dialog->dialogId != 111);
  }
  EXPECT_EQ(registerDialogFor(kRegisterCount), nullptr);
}

TEST(RegisterDialogs, PllDialogNamesTheClocks) {
  const RegisterDialog& pll = *registerDialogFor(PLLCtrl1);
  EXPECT_STREQ(pll.heading, "Control the frequency of the core clock and the video clock.");
  EXPECT_EQ(pll.width, 278);
  EXPECT_EQ(pll.height, 190);
  EXPECT_EQ(pll.hexStatic, 1059);
  EXPECT_EQ(pll.bitsStatic, 1060);
}

TEST(RegisterDialogs, RowsRunInBitOrderWithoutOverlap) {
  for (const RegisterDialog& dialog : registerDialogs()) {
    SCOPED_TRACE(dialog.title);
    int previousHigh = -1;
    for (const BitField& field : dialog.fields) {
      EXPECT_LE(field.low, field.high);
      EXPECT_LE(field.high, 31);
      EXPECT_GT(int{field.low}, previousHigh) << "row " << int{field.low};
      previousHigh = field.high;
      if (!isReserved(field)) {
        EXPECT_LE(field.high - field.low + 1, 12);
      }
    }
  }
}

TEST(RegisterDialogs, FieldsCoverExactlyTheBitsTheChipDefines) {
  for (const DialogFacts& facts : kFacts) {
    SCOPED_TRACE(facts.dialogId);
    const auto dialog =
        std::find_if(registerDialogs().begin(), registerDialogs().end(),
                     [&](const RegisterDialog& d) { return d.dialogId == facts.dialogId; });
    ASSERT_NE(dialog, registerDialogs().end());
    std::uint32_t fieldBits = 0, reservedRows = 0;
    std::vector<int> fieldEdits;
    for (const BitField& field : dialog->fields) {
      (isReserved(field) ? reservedRows : fieldBits) |= bitsOf(field);
      if (!isReserved(field)) fieldEdits.push_back(field.fieldEdit);
    }
    EXPECT_EQ(fieldBits, facts.fieldBits);
    EXPECT_EQ(reservedRows, facts.reservedRows);

    std::vector<int> expectedEdits;
    for (const auto& [first, last] : facts.fieldEditIds)
      for (int id = first; id <= last; ++id) expectedEdits.push_back(id);
    std::sort(fieldEdits.begin(), fieldEdits.end());
    EXPECT_EQ(fieldEdits, expectedEdits);
  }
}

TEST(RegisterDialogs, ControlIdsAreDistinctWithinADialog) {
  for (const RegisterDialog& dialog : registerDialogs()) {
    SCOPED_TRACE(dialog.title);
    std::set<int> ids{1, 2, dialog.hexStatic, dialog.bitsStatic};  // OK, Cancel, Value line
    std::size_t expected = 4;
    if (dialog.frequencyStatic != 0) {
      ids.insert({dialog.frequencyStatic, dialog.compareFrequencyStatic});
      expected += 2;
    }
    for (const BitField& field : dialog.fields) {
      if (isReserved(field)) {
        EXPECT_EQ(field.compareEdit, 0);
        EXPECT_STREQ(field.text, "Reserved");
        continue;
      }
      ids.insert({field.fieldEdit, field.compareEdit});
      expected += 2;
    }
    EXPECT_EQ(ids.size(), expected);
  }
}

// Each text opens with the range of numbers its field holds, which catches
// a row whose bits were copied wrong.
TEST(RegisterDialogs, TextsStateTheRangeOfTheirField) {
  for (const RegisterDialog& dialog : registerDialogs()) {
    for (const BitField& field : dialog.fields) {
      if (isReserved(field)) continue;
      std::uint32_t largest = bitsOf(field) >> field.low;
      // The 9-bit refresh load of DramInit1 is labelled one too high.
      if (dialog.dialogId == 116 && field.low == 1) largest = 512;
      const std::string prefix = "(0.." + std::to_string(largest) + ") - ";
      EXPECT_EQ(std::string(field.text).rfind(prefix, 0), 0u) << dialog.title << ": " << field.text;
    }
  }
}

TEST(RegisterDialogs, OnlyMiscInit1HasARightColumnFromBit18) {
  for (const RegisterDialog& dialog : registerDialogs())
    for (const BitField& field : dialog.fields)
      EXPECT_EQ(field.column, dialog.dialogId == 114 && field.low >= 18 ? 1 : 0)
          << dialog.title << " bit " << int{field.low};
}

const BitField& rowAt(std::size_t reg, int low) {
  const auto fields = registerDialogFor(reg)->fields;
  const auto row =
      std::find_if(fields.begin(), fields.end(), [&](const BitField& f) { return f.low == low; });
  if (row == fields.end()) throw std::out_of_range("no row at bit " + std::to_string(low));
  return *row;
}

TEST(RegisterDialogs, TextsKeepTheirBlankRunsAndTypography) {
  EXPECT_STREQ(rowAt(MiscInit0, 8).text,
               "(0..7) - Programmable delay to be added to the blank signal before it"
               "             outputs to the TV out interface.");
  EXPECT_STREQ(rowAt(MiscInit1, 1).text, "(0..3) - tri_mode \xE2\x80\x93 triangle iterator mode.");
  EXPECT_STREQ(
      rowAt(DramInit1, 26).text,
      "(0..1) - mctl_no_aggressive \xE2\x80\x93 turn off mem_ctrl\xE2\x80\x99s aggressive row "
      "activation.");
}

TEST(RegisterDialogs, FieldValuesOfPciInit0) {
  std::vector<std::uint32_t> shown;
  std::uint32_t rebuilt = 0;
  for (const BitField& field : registerDialogFor(PCIInit0)->fields) {
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
  for (const RegisterDialog& dialog : registerDialogs()) {
    const std::vector<BitField> rows = rowsOfEveryBit(dialog);
    unsigned next = 0;
    for (const BitField& row : rows) {
      EXPECT_EQ(row.low, next) << dialog.title;
      next = row.high + 1u;
    }
    EXPECT_EQ(next, 32u) << dialog.title;
    EXPECT_EQ(std::ranges::count_if(rows, isReserved) - std::ranges::count_if(dialog.fields, isReserved),
              static_cast<std::ptrdiff_t>(rows.size() - dialog.fields.size()));
  }
  const std::vector<BitField> pci = rowsOfEveryBit(*registerDialogFor(PCIInit0));
  EXPECT_EQ(bitRangeText(pci.back()), "29..31");
  EXPECT_TRUE(isReservedRow(pci.back()));
}

TEST(ValueWithFields, FoundByTheirBitsOthersKeptReservedDroppedChangesCombine) {
  const RegisterDialog& pci = *registerDialogFor(PCIInit0);
  for (const char* bits : {"0..1", "7", "29..31", "8..8", "2..5", ""}) EXPECT_FALSE(fieldRowAt(pci, bits)) << bits;
  const std::size_t low = *fieldRowAt(pci, "2..6"), top = *fieldRowAt(pci, "27..28");
  EXPECT_EQ(fieldMaximum(rowAt(DramInit1, 1)), 511u);  // labelled "(0..512)"
  // No change is the dialog's OK as it opened: only the reserved bits go.
  EXPECT_EQ(valueWithFields(pci, 0xFFFFFFFF, {}), 0x1FFFFB7Cu);
  const std::vector<RowNumber> two{{low, 0}, {top, 1}}, twice{{low, 3}, {low, 5}};
  EXPECT_EQ(valueWithFields(pci, 0xFFFFFFFF, two), 0x0FFFFB00u);
  EXPECT_EQ(valueWithFields(pci, 0, twice), 5u << 2);  // the later number wins
  // The top bits, and a row past the table, which is ignored.
  const RegisterDialog& misc1 = *registerDialogFor(MiscInit1);
  const std::vector<RowNumber> tail{{*fieldRowAt(misc1, "30..31"), 3}, {misc1.fields.size(), 1}};
  EXPECT_EQ(valueWithFields(misc1, 0x00800001, tail), 0xC0000001u);
}

TEST(FormatBinary32, GroupsOfEightEachFollowedByABlank) {
  EXPECT_EQ(formatBinary32(0x12345678), "00010010 00110100 01010110 01111000 ");
  EXPECT_EQ(formatBinary32(0x80000001), "10000000 00000000 00000000 00000001 ");
  EXPECT_EQ(formatBinary32(0xFFFFFFFF).size(), 36u);
}

}  // namespace
}  // namespace quarzel
