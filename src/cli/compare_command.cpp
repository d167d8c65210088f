// compare: the nine registers of two images, as the Registers page shows a
// comparison BIOS beside the loaded one.
#include "analysis/analysis_pass.h"
#include "analysis/register_compare.h"
#include "analysis/registers.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "formats/text_format.h"

namespace quarzel::cli {

int compareCommand(const Args& args) {
  const bool json = !args.empty() && args[0] == "--json";
  if (args.size() != (json ? 3u : 2u)) return usageError("compare takes two files");
  const auto a = readImageOrReport(args[args.size() - 2]);
  if (!a) return 1;
  const auto b = readImageOrReport(args.back());
  if (!b) return 1;
  BiosLayout layout;
  AnalysisPass(*a, layout);
  const CompareScan scan = scanCompareRegisters(*b);
  const std::string frequencyA = pllFrequencyText(layout);
  const std::string frequencyB = compareFrequencyText(scan);
  if (json) {
    JsonWriter out;
    out.beginObject().beginArray("registers");
    for (std::size_t i = 0; i < kRegisterCount; ++i)
      out.beginObject()
          .string("name", kRegisterNames[i])
          .string("a", registerHexText(layout.registerTable[i].value))
          .string("b", registerHexText(scan.values[i]))
          .string("verdict", registerVerdict(layout.registerTable[i].value, scan.values[i]))
          .endObject();
    out.endArray().string("pllFrequencyA", frequencyA).string("pllFrequencyB", frequencyB).endObject();
    print(out.text());
    return 0;
  }
  std::string text = formatText("%-10s  %-8s  %-8s\n", "register", "A", "B");
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    text += formatText("%-10s  %08X  %08X  %s\n", kRegisterNames[i], layout.registerTable[i].value, scan.values[i],
                       registerVerdict(layout.registerTable[i].value, scan.values[i]));
  text += formatText("PLLCtrl1 frequency  A: %s  B: %s\n", frequencyA.c_str(), frequencyB.c_str());
  print(text);
  return 0;
}

}  // namespace quarzel::cli
