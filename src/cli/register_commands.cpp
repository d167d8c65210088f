// registers and pll: the registers as their bit-field dialogs split them,
// and the PLL's dividers for a wanted clock.
#include <memory>

#include "analysis/registers/pll_search.h"
#include "analysis/registers/register_fields.h"
#include "analysis/registers/registers.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/pll_report.h"
#include "formats/edit_result.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

std::string registerText(const BiosLayout& layout, std::size_t index) {
  const RegisterEntry& entry = layout.registerTable[index];
  const char* name = kRegisterNames[index];
  if (!entry.location) return formatText("%s: not found\n", name);
  const RegisterFields* table = registerFieldsFor(index);
  std::string out = formatText("%s at %04X: %s%s\n", name, *entry.location, registerHexText(entry.value).c_str(),
                               table == nullptr ? " (no bit fields)" : "");
  if (table == nullptr) return out;
  for (const BitField& row : rowsOfEveryBit(*table))
    out += formatText("  %-6s  %4u  %s\n", bitRangeText(row).c_str(), fieldValue(row, entry.value), singleLineText(row).c_str());
  if (index == PLLCtrl1) out += "  " + pllText(entry.value) + "\n";
  return out;
}

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

CommandRun addRegistersCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("registers", "the registers split into their bit fields");
  struct Options {
    std::string file, name;
    bool json = false;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image")->required();
  command->add_option("REGISTER", o->name, "only this register: " + registerNameList());
  addFlag(*command, "--json", o->json, "one JSON object, for scripts");
  return [o] {
    std::optional<std::size_t> only;
    if (!o->name.empty()) {
      only = registerNamed(o->name);
      if (!only) usageError("REGISTER is " + registerNameList());
    }
    const auto analysed = readAndAnalyse(o->file);
    if (!analysed) return 1;
    const auto& [image, layout] = *analysed;
    const auto shown = [&](std::size_t index) { return !only || index == *only; };
    if (o->json) {
      Json list = Json::array();
      for (std::size_t i = 0; i < kRegisterCount; ++i)
        if (shown(i)) list.push_back(registerJson(layout, i));
      print(jsonText({{"registers", list}}));
      return 0;
    }
    std::string text;
    for (std::size_t i = 0; i < kRegisterCount; ++i)
      if (shown(i)) text += (text.empty() ? "" : "\n") + registerText(layout, i);
    print(text);
    return 0;
  };
}

CommandRun addPllCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("pll", "the PLL dividers nearest to a clock");
  struct Options {
    std::string file, clock;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image")->required();
  command->add_option("MHZ", o->clock, "the clock wanted, a decimal number of MHz (108.8)")->required();
  return [o] {
    const auto target = parseClock(o->clock);
    if (!target) usageError(clockRule());
    const auto analysed = readAndAnalyse(o->file);
    if (!analysed) return 1;
    const auto& [image, layout] = *analysed;
    const RegisterEntry& pll = layout.registerTable[PLLCtrl1];
    if (!pll.location) return fail(o->file + ": PLLCtrl1 " + describe(EditError::NotLocated));

    const auto row = [&](const PllSetting& s) {
      return formatText("  K %u  M %2u  N %3u  %s  %-12s  %+g MHz\n", s.dividers.k, s.dividers.m, s.dividers.n,
                        registerHexText(s.value).c_str(), frequencyText(s.megahertz).c_str(), s.megahertz - *target);
    };
    const PllDividers bios = pllDividers(pll.value);
    std::string out =
        formatText("PLLCtrl1 at %04X: %s, %s\n", *pll.location, registerHexText(pll.value).c_str(), pllText(pll.value).c_str());
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
  };
}

}  // namespace quarzel::cli
