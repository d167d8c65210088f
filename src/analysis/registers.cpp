#include "analysis/registers.h"

#include "formats/text_format.h"

namespace quarzel {

std::string frequencyText(double megahertz) { return formatText("%g MHz", megahertz); }

std::string pllFrequencyText(const BiosLayout& layout) {
  const RegisterEntry& pll = layout.registerTable[PLLCtrl1];
  return pll.location ? frequencyText(pllFrequency(pll.value)) : " ";
}

std::string registerHexText(std::uint32_t value) { return formatText("%08X", value); }

std::string foundValueText(std::size_t index, std::optional<std::uint32_t> value) {
  if (value) return registerHexText(*value);
  return index == PLLCtrl2 ? "00000000" : "0";
}

std::string registerValueText(const BiosLayout& layout, std::size_t index) {
  const RegisterEntry& entry = layout.registerTable[index];
  return foundValueText(index, entry.location ? std::optional(entry.value) : std::nullopt);
}

}  // namespace quarzel
