#include "describe/pll_report.h"

#include "analysis/registers/registers.h"
#include "formats/text_format.h"

namespace quarzel {

std::string dividersText(const PllDividers& d) {
  return formatText("K %u, M %u, N %u, test %u", d.k, d.m, d.n, d.test);
}

std::string pllText(std::uint32_t value) {
  return dividersText(pllDividers(value)) + ": " + frequencyText(pllFrequency(value));
}

Json pllJson(std::uint32_t value) {
  const PllDividers d = pllDividers(value);
  return {{"k", d.k}, {"m", d.m}, {"n", d.n}, {"test", d.test}, {"frequency", frequencyText(pllFrequency(value))}};
}

}  // namespace quarzel
