// quarzel-cli's command line: the commands and their options, --help for
// the program and for each command, and --version.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace quarzel::cli {

// A flag that takes no value: --json=yes is wrong use, not "true".
CLI::Option* addFlag(CLI::App& command, const std::string& name, bool& flag, const std::string& description);

// Runs the command that argv names; returns the exit status.
int run(int argc, char** argv);

}  // namespace quarzel::cli
