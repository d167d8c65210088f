#include "describe/registers_json.h"

#include "analysis/registers/register_fields.h"
#include "analysis/registers/registers.h"
#include "describe/pll_report.h"

namespace quarzel {

namespace {

Json registerJson(const BiosLayout& layout, std::size_t index) {
  const RegisterEntry& entry = layout.registerTable[index];
  Json json = {{"name", kRegisterNames[index]}, {"offset", numberOrNull(entry.location)}};
  const RegisterFields* table = registerFieldsFor(index);
  json["value"] = entry.location ? Json(registerHexText(entry.value)) : Json();
  if (!entry.location || table == nullptr) {
    json["fields"] = nullptr;
    return json;
  }
  Json& fields = json["fields"] = Json::array();
  for (const BitField& row : rowsOfEveryBit(*table))
    fields.push_back({{"bits", bitRangeText(row)},
                      {"number", fieldValue(row, entry.value)},
                      {"reserved", row.reserved},
                      {"text", singleLineText(row)}});
  if (index == PLLCtrl1) json["pll"] = pllJson(entry.value);
  return json;
}

}  // namespace

Json registersJson(const BiosLayout& layout, std::optional<std::size_t> only) {
  Json list = Json::array();
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    if (!only || i == *only) list.push_back(registerJson(layout, i));
  return list;
}

}  // namespace quarzel
