// compare: the nine registers of two images, as the Registers page shows a
// comparison BIOS beside the loaded one.
#include <memory>

#include "analysis/registers/register_compare.h"
#include "analysis/registers/registers.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "describe/compare_json.h"
#include "formats/text_format.h"

namespace quarzel::cli {

CommandRun addCompareCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("compare", "the nine registers of two images side by side");
  struct Options {
    std::string a, b;
    bool json = false;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("A", o->a, "the first BIOS image")->required();
  command->add_option("B", o->b, "the second BIOS image")->required();
  addFlag(*command, "--json", o->json, "one JSON object, for scripts");
  return [o] {
    const auto biosA = readAndAnalyse(o->a);
    if (!biosA) return 1;
    const auto imageB = readImageOrReport(o->b);
    if (!imageB) return 1;
    const BiosLayout& layout = biosA->layout;
    const CompareScan scan = scanCompareRegisters(*imageB);
    // A register one image lacks is "not found" there, and its verdict
    // says so.
    if (o->json) {
      print(jsonText(compareJson(layout, scan)));
      return 0;
    }
    std::string text = formatText("%-10s  %-8s  %-8s\n", "register", "A", "B");
    for (std::size_t i = 0; i < kRegisterCount; ++i) {
      const auto a = locatedValue(layout.registerTable[i]), b = comparedValue(scan, i);
      text += formatText("%-10s  %-8s  %-8s  %s\n", kRegisterNames[i], foundValueText(a).c_str(), foundValueText(b).c_str(),
                         registerVerdict(a, b));
    }
    text += formatText("PLLCtrl1 frequency  A: %s  B: %s\n", pllFrequencyText(layout).c_str(),
                       compareFrequencyText(scan).c_str());
    print(text);
    return 0;
  };
}

}  // namespace quarzel::cli
