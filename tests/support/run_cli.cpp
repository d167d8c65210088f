#include "support/run_cli.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#ifdef _WIN32
#include <windows.h>

#include <thread>
#else
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

#ifdef _WIN32
namespace {

// Reads a pipe to its end on a thread of its own: the program may fill one
// pipe while the other is being read.
class PipeReader {
 public:
  explicit PipeReader(HANDLE pipe) : thread_([this, pipe] {
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) && got > 0) text_.append(chunk, got);
  }) {}
  std::string take() {
    thread_.join();
    return std::move(text_);
  }

 private:
  std::string text_;
  std::thread thread_;
};

struct Pipe {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
};

Pipe inheritablePipe() {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  Pipe pipe;
  if (!CreatePipe(&pipe.read, &pipe.write, &inherit, 0)) return {};
  SetHandleInformation(pipe.read, HANDLE_FLAG_INHERIT, 0);  // the child gets the write end only
  return pipe;
}

}  // namespace

// The program itself, started with CreateProcess and pipes of its own: no
// command interpreter between the test and the program, so the output is
// the program's alone, whatever else the machine is doing.
CliRun runCli(const std::string& arguments) {
  std::string commandLine = "\"" QUARZEL_CLI_PATH "\" " + arguments;
  const Pipe out = inheritablePipe();
  const Pipe err = inheritablePipe();
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nothing = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                               nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing;
  startup.hStdOutput = out.write;
  startup.hStdError = err.write;
  PROCESS_INFORMATION process{};
  const bool started = out.read && err.read &&
                       CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &startup, &process);
  // The child holds its own copies now: closing ours lets the reads end with it.
  for (HANDLE handle : {out.write, err.write, nothing}) {
    if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  CliRun run;
  if (!started) {
    for (HANDLE handle : {out.read, err.read}) {
      if (handle) CloseHandle(handle);
    }
    run.err = "CreateProcess failed for " + commandLine;
    return run;
  }
  PipeReader outReader(out.read);
  PipeReader errReader(err.read);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) run.status = static_cast<int>(code);
  run.out = outReader.take();
  run.err = errReader.take();
  for (HANDLE handle : {process.hProcess, process.hThread, out.read, err.read}) CloseHandle(handle);
  return run;
}
#else
CliRun runCli(const std::string& arguments) {
  const TempFolder folder;
  const std::string command = "\"" QUARZEL_CLI_PATH "\" " + arguments + " >" + folder.quoted("out") + " 2>" +
                              folder.quoted("err");
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return {status, readFile(folder.path("out")), readFile(folder.path("err"))};
}
#endif

}  // namespace quarzel::test
