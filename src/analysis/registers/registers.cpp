#include "analysis/registers/registers.h"

#include "formats/text_format.h"

namespace quarzel {

std::string frequencyText(double megahertz) { return formatText("%g MHz", megahertz); }

std::string pllFrequencyText(const BiosLayout& layout) {
  const RegisterEntry& pll = layout.registerTable[PLLCtrl1];
  return pll.location ? frequencyText(pllFrequency(pll.value)) : " ";
}

std::string registerHexText(std::uint32_t value) { return formatText("%08X", value); }

std::string foundValueText(std::optional<std::uint32_t> value) { return value ? registerHexText(*value) : kNotFound; }

std::optional<std::uint32_t> locatedValue(const RegisterEntry& entry) {
  return entry.location ? std::optional(entry.value) : std::nullopt;
}

std::string registerValueText(const BiosLayout& layout, std::size_t index) {
  return foundValueText(locatedValue(layout.registerTable[index]));
}

}  // namespace quarzel
