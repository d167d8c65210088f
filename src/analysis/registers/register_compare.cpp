#include "analysis/registers/register_compare.h"

#include "analysis/registers/register_locator.h"
#include "analysis/registers/registers.h"

namespace quarzel {

CompareScan scanCompareRegisters(const Image& second) {
  const RegisterScan found = scanRegisters(second);
  CompareScan scan;
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    scan.found[i] = found.entries[i].location.has_value();
    scan.values[i] = scan.found[i] ? found.entries[i].value : 0;
  }
  scan.pllFound = found.entries[PLLCtrl1].location.has_value();
  return scan;
}

const char* registerVerdict(std::optional<std::uint32_t> value, std::optional<std::uint32_t> compared) {
  if (!value || !compared) return kNotFound;
  return *value == *compared ? "equals" : "differs";
}

std::optional<std::uint32_t> comparedValue(const CompareScan& scan, std::size_t index) {
  return scan.found[index] ? std::optional(scan.values[index]) : std::nullopt;
}

std::string compareValueText(const CompareScan& scan, std::size_t index) {
  return foundValueText(comparedValue(scan, index));
}

std::string compareFrequencyText(const CompareScan& scan) {
  return scan.pllFound ? frequencyText(pllFrequency(scan.values[PLLCtrl1])) : " ";
}

std::vector<FieldChange> changedFields(std::size_t index, std::uint32_t a, std::uint32_t b) {
  std::vector<FieldChange> changes;
  const RegisterFields* table = registerFieldsFor(index);
  if (table == nullptr) return changes;
  for (const BitField& row : rowsOfEveryBit(*table))
    if (fieldValue(row, a) != fieldValue(row, b)) changes.push_back({row, fieldValue(row, a), fieldValue(row, b)});
  return changes;
}

}  // namespace quarzel
