// quarzel-cli's command line as users of git or apt expect it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <nlohmann/json.hpp>

#include "quarzel_version.h"
#include "support/run_cli.h"

namespace quarzel {
namespace {

using nlohmann::json;
using test::runCli;

class CliCommandLine : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(runCli("sample -o " + rom).status, 0); }
  test::TempFolder folder;
  std::string rom = folder.quoted("s.rom");
};

TEST_F(CliCommandLine, OptionsGoAnywhereAfterTheCommandInBothSpellings) {
  const auto first = runCli("info --json " + rom);
  ASSERT_EQ(first.status, 0) << first.err;
  const auto last = runCli("info " + rom + " --json");
  ASSERT_EQ(last.status, 0) << last.err;
  EXPECT_EQ(json::parse(last.out), json::parse(first.out));

  const auto spaced = runCli("dump --mark 10:4 " + rom + " --color always");
  ASSERT_EQ(spaced.status, 0) << spaced.err;
  EXPECT_NE(spaced.out.find("\x1b[34m"), std::string::npos);
  EXPECT_EQ(runCli("dump " + rom + " --color=always --mark=10:4").out, spaced.out);

  // Edits before the input file, a value holding '=' after the option's own.
  const auto edit = runCli("edit --register=MiscInit0=1 --dry-run " + rom + " --string2 x");
  ASSERT_EQ(edit.status, 0) << edit.err;
  EXPECT_NE(edit.out.find("--register MiscInit0"), std::string::npos) << edit.out;
  EXPECT_NE(edit.out.find("--string2"), std::string::npos) << edit.out;

  // A one-value option given twice takes the last value, as in git.
  EXPECT_EQ(runCli("dump " + rom + " --color always --mark 10:4 --color never").out,
            runCli("dump " + rom + " --color never --mark 10:4").out);
}

TEST_F(CliCommandLine, HelpForTheProgramAndEachCommand) {
  const auto program = runCli("--help");
  ASSERT_EQ(program.status, 0);
  for (const char* command : {"info", "edit", "diff", "font", "boot", "sample"})
    EXPECT_NE(program.out.find("\n  " + std::string(command) + " "), std::string::npos) << command;
  EXPECT_EQ(runCli("help").out, program.out);

  // --help wins over whatever else the line holds, also where that is wrong.
  for (const std::string& line : {std::string("edit --help"), "edit " + rom + " --string1 x --help", std::string("edit --help --frob")}) {
    const auto help = runCli(line);
    EXPECT_EQ(help.status, 0) << line;
    EXPECT_EQ(help.err, "") << line;
    EXPECT_NE(help.out.find("usage: quarzel-cli edit [OPTIONS] IN"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--logo-line N=TEXT"), std::string::npos) << help.out;
  }
  EXPECT_NE(runCli("font export --help").out.find("usage: quarzel-cli font export"), std::string::npos);

  const auto version = runCli("--version");
  EXPECT_EQ(version.status, 0);
  // One line, as help2man reads it (CR LF on Windows, as help is).
  EXPECT_EQ(version.out.substr(0, version.out.find_first_of("\r\n")), "quarzel-cli " QUARZEL_VERSION);
  EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '\n'), 1) << version.out;
}

TEST_F(CliCommandLine, WrongUseShowsThatCommandsUsage) {
  const std::pair<std::string, std::string> cases[] = {
      {"info", "info"},
      {"info " + rom + " " + rom, "info"},
      {"info --frob " + rom, "info"},
      {"registers " + rom + " --json=yes", "registers"},  // a flag takes no value
      {"dump " + rom + " --mark", "dump"},
      {"edit " + rom, "edit"},  // neither -o nor --dry-run
      {"font " + rom, "font"},
      {"font export " + rom + " 8x9 -o x.fnt", "font export"},
      {"frobnicate", "[OPTIONS] COMMAND"},
      {"", "[OPTIONS] COMMAND"},
  };
  for (const auto& [line, usage] : cases) {
    SCOPED_TRACE(line);
    const auto run = runCli(line);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("quarzel-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("usage: quarzel-cli " + usage), std::string::npos) << run.err;
  }
}

#ifndef _WIN32
// What the completion offers for the words typed so far; the last is the
// one being completed.
std::string completions(const std::string& words) {
  const test::TempFolder folder;
  const std::string script = "source '" QUARZEL_COMPLETION_PATH "'; COMP_WORDS=('" + test::cliPath() + "' " + words +
                             "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _quarzel_cli; echo \"${COMPREPLY[*]}\"";
  test::writeFile(folder.path("complete.sh"), script);
  if (std::system(("bash " + folder.quoted("complete.sh") + " >" + folder.quoted("out")).c_str()) != 0)
    return "bash failed";
  return test::readFile(folder.path("out"));
}

TEST(CliCompletion, CompletesCommandsOptionsAndTheirWords) {
  EXPECT_EQ(completions("regi"), "registers\n");
  EXPECT_EQ(completions("edit x.rom --logo-"), "--logo-line\n");
  EXPECT_EQ(completions("font ''"), "export\n");
  EXPECT_EQ(completions("font export x.rom -"), "-h --help -o\n");
  EXPECT_EQ(completions("dump x.rom --color a"), "auto always\n");
}
#endif

}  // namespace
}  // namespace quarzel
