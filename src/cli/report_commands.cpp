// info, mode, modes and sample: reports of one image, and the built-in sample.
#include <memory>

#include "analysis/sample_image.h"
#include "analysis/modes/video_modes.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/reports.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

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

CommandRun addSampleCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("sample", "write the built-in sample image");
  const auto out = std::make_shared<std::string>();
  command->add_option("-o", *out, "the file to write")->required()->type_name("FILE");
  return [out] {
    const Image image = sampleImage();
    return writeOrReport(*out, image.bytes.data(), image.size);
  };
}

}  // namespace quarzel::cli
