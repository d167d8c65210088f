// Comparison of the register values with those of a second BIOS.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "analysis/registers/register_fields.h"
#include "formats/image.h"

namespace quarzel {

// The register searches run over the second image: its nine values, 0 for a
// register not found there.
struct CompareScan {
  std::array<std::uint32_t, kRegisterCount> values{};
  std::array<bool, kRegisterCount> found{};
  bool pllFound = false;  // the PLL writes matched, so PLLCtrl1 has a value
};
CompareScan scanCompareRegisters(const Image& second);

// A register's value in the second BIOS, empty where it was not found.
std::optional<std::uint32_t> comparedValue(const CompareScan& scan, std::size_t index);

// A register's value in the second BIOS as the comparison shows it: "%08X"
// when found there, otherwise "not found".
std::string compareValueText(const CompareScan& scan, std::size_t index);

// "equals" or "differs": a register's value against the second BIOS's;
// "not found" where either image lacks the register, which leaves nothing
// to compare. Values count, not locations.
const char* registerVerdict(std::optional<std::uint32_t> value, std::optional<std::uint32_t> compared);

// The second BIOS's PLLCtrl1 frequency, or " " when its PLL writes were not
// found.
std::string compareFrequencyText(const CompareScan& scan);

// A row of a register's bit fields whose numbers differ between two values.
struct FieldChange {
  BitField row;
  std::uint32_t a, b;
};
// Every bit's row (rowsOfEveryBit, reserved runs too) whose numbers differ
// between `a` and `b`; none for PLLCtrl2, which has no bit fields.
std::vector<FieldChange> changedFields(std::size_t index, std::uint32_t a, std::uint32_t b);

}  // namespace quarzel
