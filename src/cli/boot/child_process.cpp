#include "cli/boot/child_process.h"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace quarzel::cli {

namespace {

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (std::string& s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

int millisecondsUntil(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

volatile sig_atomic_t interruptSeen = 0;

void noteInterrupt(int) { interruptSeen = 1; }

}  // namespace

void catchInterrupts() {
  struct sigaction action {};
  action.sa_handler = noteInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no restart: a wait in progress returns at once
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

bool interrupted() { return interruptSeen != 0; }

bool onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::string candidate = folders.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                           bool pipes, int passFd) {
  int toChild[2] = {-1, -1}, fromChild[2] = {-1, -1};
  if (pipes && (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (pipes) {
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 2);
  } else {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  if (passFd >= 0) posix_spawn_file_actions_adddup2(&actions, passFd, 3);
  // Its own process group, so that nothing it starts outlives it.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  std::vector<std::string> args = argv;
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.insert(env.end(), environment.begin(), environment.end());
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0].c_str(), &actions, &attributes, pointers(args).data(), pointers(env).data()) == 0)
    pid_ = pid;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (pipes) {
    close(toChild[0]);
    close(fromChild[1]);
    in_ = toChild[1];
    out_ = fromChild[0];
    // Writing to a program that ended must fail, not end quarzel-cli.
    signal(SIGPIPE, SIG_IGN);
  }
}

ChildProcess::~ChildProcess() {
  finish(std::chrono::steady_clock::now());
  if (in_ >= 0) close(in_);
  if (out_ >= 0) close(out_);
}

void ChildProcess::write(const std::string& text) {
  if (in_ < 0) return;
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(in_, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

bool ChildProcess::readUntil(const std::string& marker, std::chrono::steady_clock::time_point deadline) {
  if (findMarker(marker, searched_)) return true;
  while (out_ >= 0) {
    pollfd fd{out_, POLLIN, 0};
    const int ready = poll(&fd, 1, millisecondsUntil(deadline));
    if (ready <= 0 || interrupted()) return false;
    char buffer[4096];
    const ssize_t n = read(out_, buffer, sizeof buffer);
    if (n <= 0) return false;
    // A marker may straddle two reads.
    const std::size_t before = std::max(searched_, output_.size() > marker.size() ? output_.size() - marker.size() : 0);
    output_.append(buffer, static_cast<std::size_t>(n));
    if (findMarker(marker, before)) return true;
  }
  return false;
}

bool ChildProcess::findMarker(const std::string& marker, std::size_t from) {
  const std::size_t at = output_.find(marker, from);
  if (at == std::string::npos) return false;
  searched_ = at + marker.size();
  return true;
}

void ChildProcess::interrupt() {
  if (pid_ > 0) kill(pid_, SIGINT);
}

int ChildProcess::finish(std::chrono::steady_clock::time_point deadline) {
  if (pid_ <= 0) return -1;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (std::chrono::steady_clock::now() >= deadline || interrupted()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(-pid_, SIGKILL);
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return -1;
}

std::optional<std::string> runForOutput(const std::vector<std::string>& argv) {
  ChildProcess child(argv, {}, true);
  if (!child.started()) return std::nullopt;
  child.readUntil(std::string(1, '\0'), std::chrono::steady_clock::now() + std::chrono::seconds(20));
  std::string output = child.output();
  if (child.finish(std::chrono::steady_clock::now() + std::chrono::seconds(5)) != 0) return std::nullopt;
  return output;
}

}  // namespace quarzel::cli

#endif
