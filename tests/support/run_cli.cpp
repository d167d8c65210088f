#include "support/run_cli.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace quarzel::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  // Test processes run side by side: the name must differ between them.
  static std::atomic<int> counter{0};
  const auto unique = std::random_device{}();
  const fs::path root = fs::temp_directory_path() /
                        ("quarzel-test-" + std::to_string(unique) + "-" + std::to_string(counter++));
  fs::create_directories(root);
  root_ = root.string();
}

TempFolder::~TempFolder() {
  std::error_code error;
  fs::remove_all(root_, error);
}

std::string TempFolder::path(const std::string& name) const { return (fs::path(root_) / name).string(); }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string cliPath() { return QUARZEL_CLI_PATH; }

CliRun runCli(const std::string& arguments) {
  const TempFolder folder;
  const std::string command = "\"" QUARZEL_CLI_PATH "\" " + arguments + " >" + folder.quoted("out") + " 2>" +
                              folder.quoted("err");
#ifdef _WIN32
  // cmd.exe strips the outer quotes of a line that starts with one.
  const int raw = std::system(("\"" + command + "\"").c_str());
  const int status = raw;
#else
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  return {status, readFile(folder.path("out")), readFile(folder.path("err"))};
}

}  // namespace quarzel::test
