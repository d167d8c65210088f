#include "describe/compare_json.h"

#include "analysis/registers/registers.h"

namespace quarzel {

Json compareJson(const BiosLayout& layout, const CompareScan& scan) {
  const auto hexOrNull = [](std::optional<std::uint32_t> value) { return value ? Json(registerHexText(*value)) : Json(); };
  Json registers = Json::array();
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    const auto a = locatedValue(layout.registerTable[i]), b = comparedValue(scan, i);
    registers.push_back({{"name", kRegisterNames[i]}, {"a", hexOrNull(a)}, {"b", hexOrNull(b)}, {"verdict", registerVerdict(a, b)}});
  }
  return {{"registers", registers}, {"pllFrequencyA", pllFrequencyText(layout)}, {"pllFrequencyB", compareFrequencyText(scan)}};
}

}  // namespace quarzel
