// quarzel-cli: inspection and batch editing of 3dfx video BIOS images.
#include <cstdio>
#include <string>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace quarzel::cli {

namespace {

struct Command {
  const char* name;
  int (*run)(const Args&);
};

constexpr Command kCommands[] = {
    {"info", infoCommand},   {"mode", modeCommand},       {"modes", modesCommand},     {"dump", dumpCommand},
    {"edit", editCommand},   {"compare", compareCommand}, {"diff", diffCommand},
    {"registers", registersCommand},
    {"pll", pllCommand},     {"font", fontCommand},       {"codepages", codepagesCommand},
    {"sheet", sheetCommand}, {"sample", sampleCommand}, {"boot", bootCommand},
};

}  // namespace

int run(int argc, char** argv) {
  if (argc < 2) return usageError("no command given");
  const std::string name = argv[1];
  const Args args(argv + 2, argv + argc);
  for (const Command& command : kCommands)
    if (name == command.name) return command.run(args);
  if (name == "help" || name == "--help" || name == "-h") {
    std::fputs(usage(), stdout);
    return 0;
  }
  return usageError("unknown command '" + name + "'");
}

}  // namespace quarzel::cli

int main(int argc, char** argv) { return quarzel::cli::run(argc, argv); }
