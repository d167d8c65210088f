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
#include "formats/signature.h"

namespace quarzel {

inline constexpr std::size_t kLogoCodeBytes = 137;    // routine and text calls
inline constexpr std::size_t kLogoReserveBytes = 512; // routine plus room for the texts
inline constexpr std::size_t kLogoTextCapacity = kLogoReserveBytes - kLogoCodeBytes - 1;  // 374
inline constexpr std::size_t kCallPatchBytes = 27;    // the sign-on code the call replaces
inline constexpr std::size_t kLogoLines = 5;

// The call that replaces the sign-on code: call near, then nops.
inline constexpr Signature kLogoCallSignature{
    "E8 ?? ?? 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90"};
// The block's routine up to its text calls, with the picture's address and
// size left open.
inline constexpr Signature kLogoRoutineSignature{
    "06 B8 12 00 CD 10 8C CD 8E C5 BE ?? ?? B4 0C 33 DB 33 D2 33 C9 26 8A 04 C0 E8 04 41 CD 10 "
    "26 8A 04 24 0F 41 CD 10 46 83 F9 ?? 75 E9 42 83 FA ?? 75 E1"};

// The sign-on code a block keeps right after its routine, so that the call
// can be taken back; blocks of earlier quarzel versions have none, and their
// picture follows the routine at once.
using SavedSignOn = std::array<std::uint8_t, kCallPatchBytes>;

// Bytes of FFh the block needs: H x W / 2 + 512, and the kept sign-on code.
std::size_t logoRunBytes(const LogoPicture& picture);

// The lowest B with `length` bytes of FFh at B, B < L - length, where L is
// the smaller of the image size and the ROM length of the header, so the
// block lies inside the ROM that the board maps at boot.
std::optional<std::size_t> findFreeRun(const Image& image, std::size_t length);
// The same below `limit`.
std::optional<std::size_t> findFreeRun(const Image& image, std::size_t length, std::size_t limit);
// The longest run of FFh bytes below `limit`.
std::size_t largestFreeRun(const Image& image, std::size_t limit);

// The block as written at image offset `base`: routine, the kept sign-on
// code (where given), picture, the five lines back to back and one 0 byte.
std::vector<std::uint8_t> buildLogoBlock(std::size_t base, const LogoPicture& picture,
                                         const std::array<std::string, kLogoLines>& lines,
                                         const std::optional<SavedSignOn>& signOn);

// near call to `base`, then 24 nops.
std::array<std::uint8_t, kCallPatchBytes> callPatch(std::size_t bootCode, std::size_t base);

// A logo block found in an image.
struct LogoBlockView {
  std::size_t base = 0;
  std::size_t size = 0;                  // up to and including the 0 after the texts
  std::optional<std::size_t> savedCode;  // where the kept sign-on code lies
  std::int32_t width = 0, height = 0;
  std::size_t picture = 0;               // H rows of W / 2 bytes, top first
  std::array<std::string, kLogoLines> lines;
  // Each line's call: DX (row, column) and BL (the colour).
  std::array<std::uint16_t, kLogoLines> linePositions{};
  std::array<std::uint8_t, kLogoLines> lineColours{};
};

// The block at `base`, when the routine, its text calls and its picture
// stand there whole inside the buffer.
std::optional<LogoBlockView> readLogoBlock(const Image& image, std::size_t base);

// The block's picture, in the VGA colours it is drawn in.
LogoPicture blockPicture(const Image& image, const LogoBlockView& block);

}  // namespace quarzel
