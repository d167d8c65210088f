// The boot logo block: a real-mode routine that sets VGA mode 12h, draws a
// 16-colour picture with INT 10h function 0Ch and prints five text lines
// with function 13h, followed by the picture and the texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/bmp_picture.h"
#include "formats/image.h"

namespace quarzel {

inline constexpr std::size_t kLogoCodeBytes = 137;    // routine and text calls
inline constexpr std::size_t kLogoReserveBytes = 512; // routine plus room for the texts
inline constexpr std::size_t kLogoTextCapacity = kLogoReserveBytes - kLogoCodeBytes - 1;  // 374
inline constexpr std::size_t kCallPatchBytes = 27;    // the sign-on code the call replaces
inline constexpr std::size_t kLogoLines = 5;

// Bytes of FFh the block needs: H x W / 2 + 512.
std::size_t logoRunBytes(const LogoPicture& picture);

// The lowest B with `length` bytes of FFh at B, B < L - length, where L is
// the smaller of the image size and the ROM length of the header, so the
// block lies inside the ROM that the board maps at boot.
std::optional<std::size_t> findFreeRun(const Image& image, std::size_t length);

// The block as written at image offset `base`: routine, picture, the five
// lines back to back and one 0 byte (137 + H x W / 2 + text bytes + 1).
std::vector<std::uint8_t> buildLogoBlock(std::size_t base, const LogoPicture& picture,
                                         const std::array<std::string, kLogoLines>& lines);

// near call to `base`, then 24 nops.
std::array<std::uint8_t, kCallPatchBytes> callPatch(std::size_t bootCode, std::size_t base);

}  // namespace quarzel
