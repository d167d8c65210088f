// The bit fields of the chip registers, as the register dialogs show them:
// one row per field or reserved range, with the control ids of its edits and
// the field's meaning. The GUI and the CLI read the same tables.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/bios_layout.h"

namespace quarzel {

// The text of a "Reserved" row.
inline constexpr const char* kReservedText = "Reserved";

struct BitField {
  std::uint8_t low;
  std::uint8_t high;
  int fieldEdit;    // 0 on a "Reserved" row, which has no edits
  int compareEdit;  // 0 on a "Reserved" row
  const char* text; // the meaning, exactly as the dialog shows it
  int column = 0;   // 1 for the right-hand column of the MiscInit1 dialog
};

// One register dialog. The ids are the controls of its template, which the
// program builds from this table; the texts are UTF-8.
struct RegisterDialog {
  std::size_t registerIndex;
  int dialogId;
  const char* title;
  const char* heading;
  int width, height;  // dialog units
  bool systemMenu;
  int hexStatic;
  int bitsStatic;
  std::span<const BitField> fields;
  // The PLL dialog's clock from the fields and the comparison BIOS's clock;
  // 0 in the other dialogs.
  int frequencyStatic = 0;
  int compareFrequencyStatic = 0;
};

// The seven bit-field dialogs and the PLLCtrl1 dialog, in register order.
std::span<const RegisterDialog> registerDialogs();
// The dialog of a register, or nullptr (PLLCtrl2 has none).
const RegisterDialog* registerDialogFor(std::size_t registerIndex);

// A "Reserved" row: no edit, its bits are not kept.
constexpr bool isReservedRow(const BitField& field) { return field.fieldEdit == 0; }

// Every bit of the register once, in bit order: the dialog's rows, and a
// "Reserved" row for each run of bits that no row covers (the dialog shows
// nothing for those).
std::vector<BitField> rowsOfEveryBit(const RegisterDialog& dialog);

// The bit range as a dialog row writes it: "2..6", or "8" for one bit.
std::string bitRangeText(const BitField& field);

// The row of a field edit whose bits are written `bits` (as bitRangeText
// writes them); empty for a "Reserved" row or bits no row has.
std::optional<std::size_t> fieldRowAt(const RegisterDialog& dialog, std::string_view bits);

// The largest number the field holds: 2^width - 1, whatever its text says.
std::uint32_t fieldMaximum(const BitField& field);

// The field's bits of `value`, as its edit shows them.
std::uint32_t fieldValue(const BitField& field, std::uint32_t value);

// Why a number is refused for the field, in the words both the CLI and the
// register dialogs use: "512 does not fit in 9 bits (0..511)".
std::string numberDoesNotFit(const BitField& field, std::string_view number);

// A field edit's text as a dialog reads it. An unsigned decimal number
// (blanks around it allowed) that fits the field's bits is taken; text that
// is no number reads as 0, as an emptied edit does. A number too large for
// the field, past 32 bits too, is refused and never cut to the field's bits.
struct FieldReading {
  std::uint32_t number = 0;
  std::string refusal;  // numberDoesNotFit; empty when the number is taken
};
FieldReading readFieldNumber(const BitField& field, std::string_view text);

// The value rebuilt from one number per row of `dialog.fields` (numbers of
// reserved rows are ignored): each masked to its field's width and moved to
// its bits. Bits that no field covers are 0.
std::uint32_t valueFromFields(const RegisterDialog& dialog, std::span<const std::uint32_t> numbers);

// A number for one row of a dialog.
struct RowNumber {
  std::size_t row;
  std::uint32_t number;
};

// What the dialog's OK stores when it was opened on `value` and the rows in
// `changes` were given their numbers: every other field keeps its bits of
// `value`, reserved bits become 0. A later change of the same row wins.
std::uint32_t valueWithFields(const RegisterDialog& dialog, std::uint32_t value, std::span<const RowNumber> changes);

// PLLCtrl1 from its dividers, as the PLL dialog builds it.
std::uint32_t pllValue(std::uint32_t k, std::uint32_t m, std::uint32_t n, std::uint32_t test);

// The PLL dialog's four fields of a PLLCtrl1 value.
struct PllDividers {
  std::uint32_t k, m, n, test;
};
PllDividers pllDividers(std::uint32_t value);

// 32 characters "0" or "1", bit 31 first, each group of eight followed by a
// blank: "00010010 00110100 01010110 01111000 " for 12345678h.
std::string formatBinary32(std::uint32_t value);

}  // namespace quarzel
