#include "analysis/registers/pll.h"

namespace quarzel {

namespace {
std::uint32_t placed(const BitField& field, std::uint32_t number) {
  return (number & fieldMaximum(field)) << field.low;
}
}  // namespace

PllDividers pllDividers(std::uint32_t value) {
  return {fieldValue(kPllK, value), fieldValue(kPllM, value), fieldValue(kPllN, value), fieldValue(kPllTest, value)};
}

std::uint32_t pllValue(std::uint32_t k, std::uint32_t m, std::uint32_t n, std::uint32_t test) {
  return placed(kPllK, k) | placed(kPllM, m) | placed(kPllN, n) | placed(kPllTest, test);
}

double pllFrequency(std::uint32_t value) {
  const PllDividers d = pllDividers(value);
  // Multiply first, then divide: the other order can round the last bit
  // differently and change a shown digit.
  const double product = kPllReferenceMHz * static_cast<double>(d.n + 2);
  return product / static_cast<double>((d.m + 2) << d.k);
}

}  // namespace quarzel
