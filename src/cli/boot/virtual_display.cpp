#ifndef _WIN32

#include "cli/boot/virtual_display.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

// The emulator's X window: its button bar above the screen, its status line
// below.
constexpr int kHeaderBarPixels = 32, kStatusBarPixels = 18;

// The number after `label` in xwininfo's report, or -1.
int reportedNumber(const std::string& report, const std::string& label) {
  const std::size_t at = report.find(label);
  if (at == std::string::npos) return -1;
  return std::atoi(report.c_str() + at + label.size());
}

// The emulated screen inside the emulator's window, below its button bar
// and above its status line: "WxH+X+Y" on the display.
std::optional<std::string> screenArea(const std::string& display) {
  const auto tree = runForOutput({"xwininfo", "-display", display, "-root", "-tree"});
  if (!tree) return std::nullopt;
  const std::size_t name = tree->find("\"Bochs");
  if (name == std::string::npos) return std::nullopt;
  const std::size_t id = tree->rfind("0x", name);
  if (id == std::string::npos) return std::nullopt;
  const auto window = runForOutput({"xwininfo", "-display", display, "-id", tree->substr(id, name - id - 1)});
  if (!window) return std::nullopt;
  // Without a window manager the corner xwininfo reports is outside the
  // window's border.
  const int border = std::max(0, reportedNumber(*window, "Border width:"));
  const int x = reportedNumber(*window, "Absolute upper-left X:") + border;
  const int y = reportedNumber(*window, "Absolute upper-left Y:") + border;
  const int width = reportedNumber(*window, "Width:"), height = reportedNumber(*window, "Height:");
  const int screenHeight = height - kHeaderBarPixels - kStatusBarPixels;
  if (x < 0 || y < 0 || width <= 0 || screenHeight <= 0) return std::nullopt;
  return formatText("%dx%d+%d+%d", width, screenHeight, x, y + kHeaderBarPixels);
}

}  // namespace

std::optional<VirtualDisplay> startDisplay() {
  int ready[2];
  // Only Xvfb gets the write end, as its descriptor 3.
  if (pipe2(ready, O_CLOEXEC) != 0) return std::nullopt;
  VirtualDisplay display;
  display.server = std::make_unique<ChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
      std::vector<std::string>{}, false, ready[1]);
  close(ready[1]);
  std::string number;
  char c;
  // Xvfb writes its display number when it takes connections.
  while (display.server->started() && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
  close(ready[0]);
  if (number.empty()) return std::nullopt;
  display.name = ":" + number;
  return display;
}

bool takePicture(const std::string& display, const std::string& png) {
  // The window shows the last frame a moment after the emulator stops.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const auto area = screenArea(display);
  if (!area) return false;
  return runForOutput({"import", "-display", display, "-window", "root", "-crop", *area, "+repage", png})
      .has_value();
}

}  // namespace quarzel::cli

#endif
