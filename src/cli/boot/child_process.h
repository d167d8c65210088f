// Programs that quarzel-cli boot starts: the emulator and the virtual
// display. Each ends with its owner on every way out, killed if need be.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace quarzel::cli {

// From the first call on, Ctrl-C and a termination request no longer end
// quarzel-cli at once: they only set a flag, which interrupted() reads, and
// break off any wait of a ChildProcess, so the caller can end its children
// and remove its files on the way out.
void catchInterrupts();
bool interrupted();

// True when `program` is found on PATH.
bool onPath(const std::string& program);

class ChildProcess {
 public:
  // Starts argv[0] found on PATH, with `environment` added to the
  // program's own. With `pipes`, its stdin is writable and its stdout and
  // stderr readable through this object; without, they go to /dev/null.
  // `passFd`, when not negative, is handed to the child as its descriptor 3.
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment, bool pipes,
               int passFd = -1);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  void write(const std::string& text);
  // Reads its output until `marker` appears after the last marker found, the
  // program ends or the deadline passes; true when the marker appeared. So
  // a second wait for the same marker waits for its next appearance.
  bool readUntil(const std::string& marker, std::chrono::steady_clock::time_point deadline);
  const std::string& output() const { return output_; }
  void interrupt();
  // Waits until the deadline for it to end, then kills it; its exit status,
  // or -1 when it was killed.
  int finish(std::chrono::steady_clock::time_point deadline);

 private:
  bool findMarker(const std::string& marker, std::size_t from);

  int pid_ = -1;
  int in_ = -1, out_ = -1;
  std::string output_;
  std::size_t searched_ = 0;  // the end of the last marker found
};

// Runs a program to its end with its output captured; empty when it could
// not be started or failed.
std::optional<std::string> runForOutput(const std::vector<std::string>& argv);

}  // namespace quarzel::cli
