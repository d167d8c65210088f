// What a boot run is asked for, and the run itself: on Linux the emulated
// PC; elsewhere a refusal, since the emulator is a Linux program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quarzel::cli {

inline constexpr double kDefaultBootTimeout = 30;

struct BootArgs {
  std::string file;
  std::optional<std::string> out;
  double timeout = kDefaultBootTimeout;
  std::optional<std::uint16_t> mode;
};

// The exit status: the screen printed, and with -o saved; with a mode, the
// card's report of it.
int boot(const BootArgs& args);

}  // namespace quarzel::cli
