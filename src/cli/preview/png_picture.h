// PNG pictures of 0xRRGGBB pixels, through Debian's stb_image_write.
#pragma once

#include <cstdint>
#include <vector>

namespace quarzel::cli {

std::vector<std::uint8_t> pngBytes(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace quarzel::cli
