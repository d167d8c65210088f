// The bit fields of the chip registers: one row per field or reserved range,
// with the field's meaning. The GUI and the CLI read the same tables.
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

// One field of a register, or a run of reserved bits that has a row of its
// own. A text that runs over more than one line has "\n" where a line
// breaks; the blanks after it indent the line that follows.
struct BitField {
  std::uint8_t low;
  std::uint8_t high;
  const char* text;       // the field's meaning, UTF-8
  bool reserved = false;  // its bits are not kept and take no number
};

// A register's rows in bit order. Reserved bits without a row are not
// listed at all.
struct RegisterFields {
  std::size_t registerIndex;
  std::span<const BitField> fields;
};

// The registers with bit fields, in register order: all but PLLCtrl2.
inline constexpr std::size_t kRegistersWithFields = 8;
std::span<const RegisterFields> registerFieldTables();
// The fields of a register, or nullptr (PLLCtrl2).
const RegisterFields* registerFieldsFor(std::size_t registerIndex);

// The text on one line: its line breaks taken out, the indents kept.
std::string singleLineText(const BitField& field);

// Every bit of the register once, in bit order: its rows, and a "Reserved"
// row for each run of bits that no row covers.
std::vector<BitField> rowsOfEveryBit(const RegisterFields& fields);

// The bit range as a row writes it: "2..6", or "8" for one bit.
std::string bitRangeText(const BitField& field);

// The row of the field whose bits are written `bits` (as bitRangeText
// writes them); empty for a "Reserved" row or bits no row has.
std::optional<std::size_t> fieldRowAt(const RegisterFields& fields, std::string_view bits);

// The largest number the field holds: 2^width - 1, whatever its text says.
std::uint32_t fieldMaximum(const BitField& field);

// The field's bits of `value`, moved down to bit 0.
std::uint32_t fieldValue(const BitField& field, std::uint32_t value);

// Why a number is refused for the field, in the words both the CLI and the
// GUI use: "512 does not fit in 9 bits (0..511)".
std::string numberDoesNotFit(const BitField& field, std::string_view number);

// A field's number typed as text. An unsigned decimal number (blanks around
// it allowed) that fits the field's bits is taken; text that is no number,
// the empty text too, reads as 0. A number too large for the field, past 32
// bits too, is refused and never cut to the field's bits.
struct FieldReading {
  std::uint32_t number = 0;
  std::string refusal;  // numberDoesNotFit; empty when the number is taken
};
FieldReading readFieldNumber(const BitField& field, std::string_view text);

// The value rebuilt from one number per row of `fields` (numbers of
// reserved rows are ignored): each masked to its field's width and moved to
// its bits. Bits that no field covers are 0.
std::uint32_t valueFromFields(const RegisterFields& fields, std::span<const std::uint32_t> numbers);

// A number for one row of a register.
struct RowNumber {
  std::size_t row;
  std::uint32_t number;
};

// `value` with the rows in `changes` given their numbers: every other field
// keeps its bits of `value`, reserved bits become 0. A later change of the
// same row wins.
std::uint32_t valueWithFields(const RegisterFields& fields, std::uint32_t value, std::span<const RowNumber> changes);

// 32 characters "0" or "1", bit 31 first, each group of eight followed by a
// blank: "00010010 00110100 01010110 01111000 " for 12345678h.
std::string formatBinary32(std::uint32_t value);

}  // namespace quarzel
