// pll: the PLL's dividers for a wanted clock.
#include <memory>

#include "analysis/registers/pll_search.h"
#include "analysis/registers/registers.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "describe/pll_report.h"
#include "formats/edit_result.h"
#include "formats/text_format.h"

namespace quarzel::cli {

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
