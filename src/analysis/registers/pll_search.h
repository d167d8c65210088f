// Choosing the PLL's dividers for a wanted clock: the N nearest to it for a
// given K and M, and the best N of every K and M ranked by how near it comes.
// Pure functions of the numbers.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/registers/pll.h"

namespace quarzel {

// A PLLCtrl1 setting and the clock it makes.
struct PllSetting {
  PllDividers dividers;
  std::uint32_t value = 0;  // pllValue of the dividers: bits 17..31 are 0
  double megahertz = 0;     // pllFrequency of the value
};

// The highest clock the PLL makes: K 0, M 0, N 255.
double highestPllFrequency();

// K, M and the test bit with the N (0..255) whose clock is nearest to
// targetMHz. A target halfway between two clocks takes the lower N: of two
// equally near clocks the slower is the safer one for the chip.
PllSetting nearestPllSetting(std::uint32_t k, std::uint32_t m, std::uint32_t test, double targetMHz);

// Whether the nearest setting for a target has N at an end of its range
// with the target past it: no N for these K and M comes nearer.
bool pastNRange(const PllSetting& nearest, double targetMHz);

// The nearest setting of every K and M (256 of them), nearest first; those
// equally near (within 1e-9 MHz, as equal clocks from other dividers are)
// in the order of K, then M.
std::vector<PllSetting> rankedPllSettings(double targetMHz, std::uint32_t test);

}  // namespace quarzel
