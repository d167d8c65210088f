// The program's pictures as a canvas takes them: RGBA bytes, rows top
// first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/bmp_picture.h"

namespace quarzel::web {

// 0xRRGGBB pixels, as the boot screen is drawn, into `rgba`, whose memory
// is kept from one drawing to the next (the screen is redrawn per keystroke).
void rgbaOfPixels(std::span<const std::uint32_t> pixels, std::vector<std::uint8_t>& rgba);
// A 1-bit bitmap stored bottom-up, as the glyph sheets and the code-page
// previews are: a set bit is ink (black), a clear one paper (white).
std::vector<std::uint8_t> rgbaOfMonochrome(std::span<const std::uint8_t> bits, std::size_t width, std::size_t height);
// A logo picture in the VGA colours it boots in.
std::vector<std::uint8_t> rgbaOfLogo(const LogoPicture& picture);

}  // namespace quarzel::web
