#include "analysis/registers/pll_search.h"

#include <algorithm>
#include <cmath>

#include "analysis/registers/registers.h"

namespace quarzel {

namespace {

// The largest K, M, N and test the fields hold.
const PllDividers kLargest = pllDividers(0xFFFFFFFF);

PllSetting setting(PllDividers dividers) {
  const std::uint32_t value = pllValue(dividers.k, dividers.m, dividers.n, dividers.test);
  return {pllDividers(value), value, pllFrequency(value)};
}

// The distance from the target in steps of 1e-9 MHz, so that clocks equal
// but for the last bits of their arithmetic rank as equal.
double distanceKey(const PllSetting& s, double targetMHz) {
  const double distance = std::fabs(s.megahertz - targetMHz);
  return std::round(std::min(distance, 1e12) * 1e9);
}

}  // namespace

double highestPllFrequency() { return setting({0, 0, kLargest.n, 0}).megahertz; }

PllSetting nearestPllSetting(std::uint32_t k, std::uint32_t m, std::uint32_t test, double targetMHz) {
  // Numbers too large for their fields keep their low bits, as in pllValue.
  k &= kLargest.k;
  m &= kLargest.m;
  // The clock grows linearly with N, so the nearest N is the target's N (a
  // real number) rounded. Halfway rounds down; the margin keeps a target
  // typed as the exact halfway clock there despite the rounding of its
  // decimal digits and of this arithmetic.
  const double exactN = targetMHz * static_cast<double>((m + 2) << k) / kPllReferenceMHz - 2;
  constexpr double kHalfwayMargin = 1e-9;  // of a step of N
  const double rounded = std::ceil(exactN - 0.5 - kHalfwayMargin);
  // A NaN goes to 0 too.
  const std::uint32_t n = rounded > 0 ? static_cast<std::uint32_t>(std::min(rounded, static_cast<double>(kLargest.n))) : 0;
  return setting({k, m, n, test});
}

bool pastNRange(const PllSetting& nearest, double targetMHz) {
  return (nearest.dividers.n == kLargest.n && targetMHz > nearest.megahertz) ||
         (nearest.dividers.n == 0 && targetMHz < nearest.megahertz);
}

std::vector<PllSetting> rankedPllSettings(double targetMHz, std::uint32_t test) {
  std::vector<PllSetting> settings;
  for (std::uint32_t k = 0; k <= kLargest.k; ++k)
    for (std::uint32_t m = 0; m <= kLargest.m; ++m) settings.push_back(nearestPllSetting(k, m, test, targetMHz));
  std::ranges::stable_sort(settings, {}, [&](const PllSetting& s) { return distanceKey(s, targetMHz); });
  return settings;
}

}  // namespace quarzel
