// info: every item found in one image, as a report laid out like the
// program's pages or as one JSON object.
#include <memory>

#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/report/reports.h"
#include "describe/info_json.h"

namespace quarzel::cli {

CommandRun addInfoCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("info", "report every item found in a BIOS image");
  struct Options {
    std::string file;
    bool json = false;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image")->required();
  addFlag(*command, "--json", o->json, "one JSON object, for scripts");
  return [o] {
    const auto analysed = readAndAnalyse(o->file);
    if (!analysed) return 1;
    const auto& [image, layout] = *analysed;
    print(o->json ? infoJson(image, layout) : infoText(baseName(o->file), image, layout));
    return 0;
  };
}

}  // namespace quarzel::cli
