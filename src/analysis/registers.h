// The nine chip registers as the Registers page lists them, with the clock
// that a PLL control value programs.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "analysis/bios_layout.h"

namespace quarzel {

// One row of the Registers page. Control ids are those of dialog 110; a
// register without a bit-field dialog has 0 for both dialog ids.
struct RegisterInfo {
  const char* name;
  int valueEdit;
  int offsetButton;
  int dialogButton;
  int dialogId;
  int compareEdit;
  int verdictLabel;
};

extern const std::array<RegisterInfo, kRegisterCount> kRegisters;

// Control 1025 shows the PLLCtrl1 frequency, 1045 the comparison BIOS's.
inline constexpr int kPllFrequencyStatic = 1025;
inline constexpr int kComparePllFrequencyStatic = 1045;

// Output clock in MHz for a PLL control value: K = bits 0..1, M = bits 2..7,
// N = bits 8..15, reference 14.31818 MHz.
double pllFrequency(std::uint32_t value);

// "%g MHz"
std::string frequencyText(double megahertz);

// The text of control 1025 after the pass: the PLLCtrl1 frequency when the
// PLL writes were found, else a single blank.
std::string pllFrequencyText(const BiosLayout& layout);

// The text of a register's value edit after the pass: "%08X" when located;
// otherwise "0", or "00000000" for PLLCtrl2.
std::string registerValueText(const BiosLayout& layout, std::size_t index);

}  // namespace quarzel
