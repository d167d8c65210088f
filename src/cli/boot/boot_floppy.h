// The boot floppy of the emulated PC: its sector stops the emulator as soon
// as the PC boots it, and with a mode, sets that mode first.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quarzel::cli {

// Where the boot sector keeps the BIOS's answer to a mode set: the word
// past the sector at 0:7C00h.
inline constexpr std::uint16_t kModeAnswer = 0x7E00;
inline constexpr std::uint16_t kVesaSuccess = 0x004F;

// A 1.44 MB floppy image whose boot sector stops the emulator at once: by
// then the video BIOS has run its start-up, and the PC has written its own
// boot messages. With a mode, the sector then sets it and stops again.
std::vector<std::uint8_t> bootFloppy(std::optional<std::uint16_t> mode);

}  // namespace quarzel::cli
