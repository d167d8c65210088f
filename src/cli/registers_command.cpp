// registers: the registers as their bit-field dialogs split them.
#include <memory>

#include "analysis/registers/register_fields.h"
#include "analysis/registers/registers.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "describe/registers_json.h"
#include "describe/pll_report.h"
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
      print(jsonText({{"registers", registersJson(layout, only)}}));
      return 0;
    }
    std::string text;
    for (std::size_t i = 0; i < kRegisterCount; ++i)
      if (shown(i)) text += (text.empty() ? "" : "\n") + registerText(layout, i);
    print(text);
    return 0;
  };
}

}  // namespace quarzel::cli
