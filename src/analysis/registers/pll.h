// The clock PLL's control word (PLLCtrl1, and PLLCtrl2 laid out alike): its
// dividers, the word they make and the clock it programs.
#pragma once

#include <cstdint>

#include "analysis/registers/register_fields.h"

namespace quarzel {

// The PLL's reference clock.
inline constexpr double kPllReferenceMHz = 14.31818;

// The fields of the control word; bits 17..31 are not used.
inline constexpr BitField kPllK{.low = 0, .high = 1, .text = "(0..3) - K, Post divider value"};
inline constexpr BitField kPllM{.low = 2, .high = 7, .text = "(0..63) - M, PLL input divider"};
inline constexpr BitField kPllN{.low = 8, .high = 15, .text = "(0..255) - N, PLL multiplier"};
inline constexpr BitField kPllTest{.low = 16, .high = 16,
                                   .text = "(0..1) - Test. (0=normal operation, 1 = CLK is output of VCO)."};

struct PllDividers {
  std::uint32_t k, m, n, test;
};

// The four fields of a control word.
PllDividers pllDividers(std::uint32_t value);

// The control word of the dividers, each masked to its field; bits 17..31
// are 0.
std::uint32_t pllValue(std::uint32_t k, std::uint32_t m, std::uint32_t n, std::uint32_t test);

// Output clock in MHz of a control word: reference * (N + 2) / ((M + 2) * 2^K).
// The test bit does not change it.
double pllFrequency(std::uint32_t value);

}  // namespace quarzel
