// sample: writes the built-in sample image.
#include <memory>

#include "analysis/sample_image.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"

namespace quarzel::cli {

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
