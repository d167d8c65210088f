// modes: every video mode as the BIOS sets it, or the refresh rates each
// resolution can take.
#include <memory>

#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/report/reports.h"
#include "describe/json.h"
#include "describe/modes_json.h"

namespace quarzel::cli {

CommandRun addModesCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand(
      "modes", "every video mode as the BIOS sets it: its record, parameter entry, pixel clock, refresh and line rate");
  struct Options {
    std::string file;
    bool json = false, timings = false;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image")->required();
  addFlag(*command, "--json", o->json, "one JSON object, for scripts");
  addFlag(*command, "--timings", o->timings, "the standard refresh rates each resolution can take");
  return [o] {
    const auto analysed = readAndAnalyse(o->file);
    if (!analysed) return 1;
    const auto& [image, layout] = *analysed;
    if (!o->json)
      print(o->timings ? timingsText(image, layout) : modesText(image, layout));
    else
      print(jsonText({{o->timings ? "timings" : "modes", (o->timings ? timingsJson : modesJson)(image, layout)}}));
    return 0;
  };
}

}  // namespace quarzel::cli
