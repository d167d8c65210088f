// info, mode, modes and sample: reports of one image, and the built-in sample.
#include "analysis/analysis_pass.h"
#include "analysis/sample_image.h"
#include "analysis/video_modes.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/reports.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel::cli {

int infoCommand(const Args& args) {
  const bool json = !args.empty() && args[0] == "--json";
  if (args.size() != (json ? 2u : 1u)) return usageError("info takes one file");
  const std::string& path = args.back();
  const auto image = readImageOrReport(path);
  if (!image) return 1;
  BiosLayout layout;
  AnalysisPass(*image, layout);
  print(json ? infoJson(*image, layout) : infoText(baseName(path), *image, layout));
  return 0;
}

int modeCommand(const Args& args) {
  if (args.size() == 1 && args[0] == "--list") {
    std::string list;
    for (std::size_t row = 0; row < kVideoModeCount; ++row) list += formatText("%2zu  %s\n", row, kVideoModes[row].text);
    print(list);
    return 0;
  }
  if (args.empty() || args.size() > 2) return usageError("mode takes a file and a row");
  std::size_t row = 0;
  if (args.size() == 2) {
    const auto number = readDecimal(args[1]);
    if (!number || *number >= kVideoModeCount) return usageError("the row is a number from 0 to 54");
    row = *number;
  }
  const auto image = readImageOrReport(args[0]);
  if (!image) return 1;
  BiosLayout layout;
  AnalysisPass(*image, layout);
  print(modeText(*image, layout, row));
  return 0;
}

int modesCommand(const Args& args) {
  Args files;
  bool json = false, timings = false;
  for (const std::string& arg : args) {
    if (arg == "--json")
      json = true;
    else if (arg == "--timings")
      timings = true;
    else
      files.push_back(arg);
  }
  if (files.size() != 1) return usageError("modes takes one file");
  const auto image = readImageOrReport(files[0]);
  if (!image) return 1;
  BiosLayout layout;
  AnalysisPass(*image, layout);
  if (!json) {
    print(timings ? timingsText(*image, layout) : modesText(*image, layout));
    return 0;
  }
  JsonWriter writer;
  writer.beginObject();
  (timings ? timingsJson : modesJson)(writer, *image, layout);
  print(writer.endObject().text());
  return 0;
}

int sampleCommand(const Args& args) {
  if (args.size() != 2 || args[0] != "-o") return usageError("sample needs -o FILE");
  const Image image = sampleImage();
  return writeOrReport(args[1], image.bytes.data(), image.size);
}

}  // namespace quarzel::cli
