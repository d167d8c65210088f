#include "cli/command_line.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "quarzel_version.h"

namespace quarzel::cli {

namespace {

constexpr const char* kCommandsFooter =
    "quarzel-cli COMMAND --help shows a command's options. Options go anywhere after the command, "
    "as --OPTION VALUE or --OPTION=VALUE.";

bool every(CLI::App*) { return true; }

// Listed under "Commands:", and each argument named by what it is: FILE,
// not "FILE TEXT".
void tidy(CLI::App& command) {
  command.group("Commands");
  for (CLI::Option* argument : command.get_options([](CLI::Option* option) { return option->get_positional(); }))
    argument->type_name("");
}

}  // namespace

CLI::Option* addFlag(CLI::App& command, const std::string& name, bool& flag, const std::string& description) {
  return command.add_flag(name, flag, description)->disable_flag_override();
}

int run(int argc, char** argv) {
  CLI::App app("Inspection and batch editing of the video BIOS images of 3dfx graphics boards.", "quarzel-cli");
  app.get_formatter()->label("Usage", "usage");
  app.get_formatter()->label("SUBCOMMAND", "COMMAND");
  app.set_version_flag("--version", "quarzel-cli " QUARZEL_VERSION);
  app.require_subcommand(1);
  // A path from the root ("/work/my.rom") is a file on Windows too, as under
  // Wine and in MSYS shells; no option of ours is written with "/". Set
  // before the commands are added, which take it from here.
  app.allow_windows_style_options(false);
  // An option given twice takes its last value, as in git and apt.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  std::vector<std::pair<CLI::App*, CommandRun>> commands;
  for (const auto add : {addInfoCommand, addModeCommand, addModesCommand, addDumpCommand, addEditCommand,
                         addCompareCommand, addDiffCommand, addRegistersCommand, addPllCommand, addFontCommand,
                         addBootCommand, addPreviewCommand, addCodepagesCommand, addSheetCommand,
                         addSampleCommand}) {
    CommandRun command = add(app);
    CLI::App* added = app.get_subcommands(every).back();
    tidy(*added);
    for (CLI::App* inner : added->get_subcommands(every)) tidy(*inner);
    commands.emplace_back(added, std::move(command));
  }
  app.footer(kCommandsFooter);  // after the commands, which would take it over
  // "quarzel-cli help" as --help: an old habit, not listed.
  CLI::App* help = app.add_subcommand("help")->group("");
  commands.emplace_back(help, [&app] {
    std::fputs(app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal).c_str(), stdout);
    return 0;
  });

  try {
    app.parse(argc, argv);
    for (auto& [command, runCommand] : commands)
      if (command->parsed()) return runCommand();
    return 0;  // not reached: the parse requires a command
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);  // the help of the command given, if any
    return 0;
  } catch (const CLI::CallForVersion& version) {
    std::printf("%s\n", version.what());
    return 0;
  } catch (const CLI::ParseError& error) {
    std::fprintf(stderr, "quarzel-cli: %s\n%s", error.what(), app.help().c_str());
    return 2;
  }
}

}  // namespace quarzel::cli
