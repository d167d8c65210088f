// registers and pll: the registers as their bit-field dialogs split them,
// and the PLL's dividers for a wanted clock.
#include "analysis/analysis_pass.h"
#include "analysis/pll_search.h"
#include "analysis/register_fields.h"
#include "analysis/registers.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "formats/edit_result.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

std::string dividersText(const PllDividers& d) {
  return formatText("K %u, M %u, N %u, test %u", d.k, d.m, d.n, d.test);
}

std::string registerText(const BiosLayout& layout, std::size_t index) {
  const RegisterEntry& entry = layout.registerTable[index];
  const char* name = kRegisterNames[index];
  if (!entry.location) return formatText("%s: not found\n", name);
  const RegisterFields* table = registerFieldsFor(index);
  std::string out = formatText("%s at %04X: %08X%s\n", name, *entry.location, entry.value,
                               table == nullptr ? " (no bit fields)" : "");
  if (table == nullptr) return out;
  for (const BitField& row : rowsOfEveryBit(*table))
    out += formatText("  %-6s  %4u  %s\n", bitRangeText(row).c_str(), fieldValue(row, entry.value), singleLineText(row).c_str());
  if (index == PLLCtrl1)
    out += formatText("  %s: %s\n", dividersText(pllDividers(entry.value)).c_str(),
                      frequencyText(pllFrequency(entry.value)).c_str());
  return out;
}

void registerJson(JsonWriter& json, const BiosLayout& layout, std::size_t index) {
  const RegisterEntry& entry = layout.registerTable[index];
  json.beginObject().string("name", kRegisterNames[index]).numberOrNull("offset", entry.location);
  const RegisterFields* table = registerFieldsFor(index);
  if (!entry.location) {
    json.null("value").null("fields").endObject();
    return;
  }
  json.string("value", registerHexText(entry.value));
  if (table == nullptr) {
    json.null("fields").endObject();
    return;
  }
  json.beginArray("fields");
  for (const BitField& row : rowsOfEveryBit(*table))
    json.beginObject()
        .string("bits", bitRangeText(row))
        .number("number", fieldValue(row, entry.value))
        .boolean("reserved", row.reserved)
        .utf8("text", singleLineText(row))
        .endObject();
  json.endArray();
  if (index == PLLCtrl1) {
    const PllDividers d = pllDividers(entry.value);
    json.beginObject("pll")
        .number("k", d.k)
        .number("m", d.m)
        .number("n", d.n)
        .number("test", d.test)
        .string("frequency", frequencyText(pllFrequency(entry.value)))
        .endObject();
  }
  json.endObject();
}

}  // namespace

int registersCommand(const Args& args) {
  Args names;
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--json")
      json = true;
    else
      names.push_back(arg);
  }
  if (names.empty() || names.size() > 2) return usageError("registers takes a file and an optional register");
  std::optional<std::size_t> only;
  if (names.size() == 2) {
    only = registerNamed(names[1]);
    if (!only) return usageError("REGISTER is " + registerNameList());
  }
  const auto image = readImageOrReport(names[0]);
  if (!image) return 1;
  BiosLayout layout;
  AnalysisPass(*image, layout);
  const auto shown = [&](std::size_t index) { return !only || index == *only; };
  if (json) {
    JsonWriter out;
    out.beginObject().beginArray("registers");
    for (std::size_t i = 0; i < kRegisterCount; ++i)
      if (shown(i)) registerJson(out, layout, i);
    print(out.endArray().endObject().text());
    return 0;
  }
  std::string text;
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    if (shown(i)) text += (text.empty() ? "" : "\n") + registerText(layout, i);
  print(text);
  return 0;
}

int pllCommand(const Args& args) {
  if (args.size() != 2) return usageError("pll takes a file and a clock in MHz");
  const auto target = parseClock(args[1]);
  if (!target) return usageError(clockRule());
  const auto image = readImageOrReport(args[0]);
  if (!image) return 1;
  BiosLayout layout;
  AnalysisPass(*image, layout);
  const RegisterEntry& pll = layout.registerTable[PLLCtrl1];
  if (!pll.location) return fail(args[0] + ": PLLCtrl1 " + describe(EditError::NotLocated));

  const auto row = [&](const PllSetting& s) {
    return formatText("  K %u  M %2u  N %3u  %08X  %-12s  %+g MHz\n", s.dividers.k, s.dividers.m, s.dividers.n,
                      s.value, frequencyText(s.megahertz).c_str(), s.megahertz - *target);
  };
  const PllDividers bios = pllDividers(pll.value);
  std::string out = formatText("PLLCtrl1 at %04X: %08X, %s: %s\n", *pll.location, pll.value, dividersText(bios).c_str(),
                               frequencyText(pllFrequency(pll.value)).c_str());
  out += formatText("nearest to %s with K and M kept (--clock):\n", frequencyText(*target).c_str());
  out += row(nearestPllSetting(bios.k, bios.m, bios.test, *target));
  // A few are enough to choose from; the rest are further away.
  constexpr std::size_t kAlternatives = 10;
  out += "nearest with other K and M:\n";
  std::size_t listed = 0;
  for (const PllSetting& s : rankedPllSettings(*target, bios.test)) {
    if (listed == kAlternatives) break;
    if (s.dividers.k == bios.k && s.dividers.m == bios.m) continue;
    out += row(s);
    ++listed;
  }
  print(out);
  return 0;
}

}  // namespace quarzel::cli
