#include "cli/edit/edit_options.h"

#include <CLI/CLI.hpp>

#include "cli/command_line.h"

namespace quarzel::cli {

void addEditOptions(CLI::App& command, EditWords& words) {
  command.add_option("IN", words.in, "the BIOS image to edit")->required();
  command.add_option("-o", words.out, "the file to write, the edited image with its checksum")->type_name("OUT");
  addFlag(command, "--dry-run", words.dryRun, "list the bytes each edit writes; write no file");
  for (const EditOption& option : kEditOptions) {
    if (option.flag) {
      addFlag(command, option.name, words.*option.flag, option.what);
      continue;
    }
    // One value each time the option is given: a list of edits, or the last one wins.
    command.add_option(option.name, words.*option.values, option.what)->type_name(option.type)->allow_extra_args(false);
  }
}

}  // namespace quarzel::cli
