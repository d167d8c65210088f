// Comparison of the register values with those of a second BIOS.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/bios_layout.h"
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

// A register's comparison edit: "%08X" when found in the second BIOS;
// otherwise "0", or "00000000" for PLLCtrl2, whose edit is always written.
std::string compareValueText(const CompareScan& scan, std::size_t index);

// "equals" or "differs": registerTable against compareValues.
const char* registerVerdict(const BiosLayout& layout, std::size_t index);

// Control 1045: the second BIOS's PLLCtrl1 frequency, or " " when its PLL
// writes were not found.
std::string compareFrequencyText(const CompareScan& scan);

}  // namespace quarzel
