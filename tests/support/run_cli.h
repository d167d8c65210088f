// Runs the quarzel-cli that this build made, as a user would from a shell.
#pragma once

#include <string>

namespace quarzel::test {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// The quarzel-cli that this build made.
std::string cliPath();

// `arguments` is appended to the command line as it stands (quote paths).
CliRun runCli(const std::string& arguments);

// A fresh folder for one test's files, removed by the destructor.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string path(const std::string& name) const;
  std::string quoted(const std::string& name) const { return "\"" + path(name) + "\""; }
  // The folder itself, without a trailing separator (a quoted "C:\dir\"
  // would end in an escaped quote on Windows).
  const std::string& root() const { return root_; }

 private:
  std::string root_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

}  // namespace quarzel::test
