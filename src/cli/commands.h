// The commands of quarzel-cli. Each adds itself, with its options, to the
// program's command line and returns what runs it once the command line was
// read. That returns the exit status: 0 done, 1 the input cannot be used
// (diff has its own: 0 the same, 1 different, 2 trouble; preview adds 3 and
// 4 for a picture not read whole); wrong use is reported through
// usageError, status 2.
#pragma once

#include <functional>

namespace CLI {
class App;
}

namespace quarzel::cli {

using CommandRun = std::function<int()>;

CommandRun addInfoCommand(CLI::App& app);
CommandRun addModeCommand(CLI::App& app);
CommandRun addModesCommand(CLI::App& app);
CommandRun addDumpCommand(CLI::App& app);
CommandRun addEditCommand(CLI::App& app);
CommandRun addCompareCommand(CLI::App& app);
CommandRun addDiffCommand(CLI::App& app);
CommandRun addRegistersCommand(CLI::App& app);
CommandRun addPllCommand(CLI::App& app);
CommandRun addFontCommand(CLI::App& app);
CommandRun addBootCommand(CLI::App& app);
CommandRun addPreviewCommand(CLI::App& app);
CommandRun addCodepagesCommand(CLI::App& app);
CommandRun addSheetCommand(CLI::App& app);
CommandRun addSampleCommand(CLI::App& app);

}  // namespace quarzel::cli
