#include "analysis/register_compare.h"

#include "analysis/register_locator.h"
#include "analysis/registers.h"

namespace quarzel {

CompareScan scanCompareRegisters(const Image& second) {
  const RegisterScan found = scanRegisters(second);
  CompareScan scan;
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    scan.values[i] = found.entries[i].location ? found.entries[i].value : 0;
  scan.pllFound = found.entries[PLLCtrl1].location.has_value();
  return scan;
}

const char* registerVerdict(const BiosLayout& layout, std::size_t index) {
  // Values, located or not: two registers missing from both BIOSes are
  // both 0 and equal.
  return layout.registerTable[index].value == layout.compareValues[index] ? "equals" : "differs";
}

std::string compareFrequencyText(const CompareScan& scan) {
  return scan.pllFound ? frequencyText(pllFrequency(scan.values[PLLCtrl1])) : " ";
}

}  // namespace quarzel
