// The commands of quarzel-cli; each takes the arguments after its name and
// returns the exit status: 0 done, 1 the input cannot be used, 2 wrong use
// (diff has its own: 0 the same, 1 different, 2 trouble).
#pragma once

#include <string>
#include <vector>

namespace quarzel::cli {

using Args = std::vector<std::string>;

int infoCommand(const Args& args);
int modeCommand(const Args& args);
int modesCommand(const Args& args);
int dumpCommand(const Args& args);
int sampleCommand(const Args& args);
int editCommand(const Args& args);
int compareCommand(const Args& args);
int diffCommand(const Args& args);
int registersCommand(const Args& args);
int pllCommand(const Args& args);
int fontCommand(const Args& args);
int codepagesCommand(const Args& args);
int sheetCommand(const Args& args);
int bootCommand(const Args& args);

}  // namespace quarzel::cli
