// mode: one row of the Video Modes page, or the list of rows.
#include <memory>

#include "analysis/modes/video_modes.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/report/reports.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel::cli {

CommandRun addModeCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("mode", "the registers of one row of the video mode list");
  struct Options {
    std::string file, row;
    bool list = false;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image");
  command->add_option("ROW", o->row, "the row, 0-54 (default 0)");
  addFlag(*command, "--list", o->list, "list the rows instead (no FILE)");
  return [o] {
    if (o->list) {
      if (!o->file.empty()) usageError("mode --list takes no file");
      std::string list;
      for (std::size_t row = 0; row < kVideoModeCount; ++row) list += formatText("%2zu  %s\n", row, kVideoModes[row].text);
      print(list);
      return 0;
    }
    if (o->file.empty()) usageError("mode takes a file and a row");
    std::size_t row = 0;
    if (!o->row.empty()) {
      const auto number = readDecimal(o->row);
      if (!number || *number >= kVideoModeCount) usageError("the row is a number from 0 to 54");
      row = *number;
    }
    const auto analysed = readAndAnalyse(o->file);
    if (!analysed) return 1;
    const auto& [image, layout] = *analysed;
    print(modeText(image, layout, row));
    return 0;
  };
}

}  // namespace quarzel::cli
