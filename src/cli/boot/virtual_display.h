// A private X display for the emulator's window (Xvfb), and the picture of
// the emulated screen in it. Linux only.
#pragma once

#ifndef _WIN32

#include <memory>
#include <optional>
#include <string>

#include "cli/boot/child_process.h"

namespace quarzel::cli {

// A private X display for the emulator's window; its number once it runs.
struct VirtualDisplay {
  std::unique_ptr<ChildProcess> server;
  std::string name;  // ":N"
};

// Starts Xvfb; empty when it does not take connections.
std::optional<VirtualDisplay> startDisplay();

// Saves the emulated screen, without the emulator's bars, as a PNG.
bool takePicture(const std::string& display, const std::string& png);

}  // namespace quarzel::cli

#endif
