// The 8086's call near: E8 and a word relative to the next instruction,
// which the BIOS uses between its routines and the logo patch uses to reach
// its block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "formats/image.h"

namespace quarzel {

inline constexpr std::size_t kNearCallBytes = 3;
inline constexpr std::uint8_t kNearCallOpcode = 0xE8;

// Where the call near at `at` leads, within the ROM's 64 KiB segment; none
// when no call near is there.
std::optional<std::size_t> nearCallTarget(const Image& image, std::size_t at);

}  // namespace quarzel
