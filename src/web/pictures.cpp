#include "web/pictures.h"

namespace quarzel::web {

namespace {

void append(std::vector<std::uint8_t>& rgba, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  rgba.insert(rgba.end(), {red, green, blue, 0xFF});
}

}  // namespace

void rgbaOfPixels(std::span<const std::uint32_t> pixels, std::vector<std::uint8_t>& rgba) {
  rgba.resize(pixels.size() * 4);
  std::uint8_t* out = rgba.data();
  for (const std::uint32_t pixel : pixels) {
    out[0] = static_cast<std::uint8_t>(pixel >> 16);
    out[1] = static_cast<std::uint8_t>(pixel >> 8);
    out[2] = static_cast<std::uint8_t>(pixel);
    out[3] = 0xFF;
    out += 4;
  }
}

std::vector<std::uint8_t> rgbaOfMonochrome(std::span<const std::uint8_t> bits, std::size_t width, std::size_t height) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(width * height * 4);
  const std::size_t rowBytes = width / 8;
  for (std::size_t y = 0; y < height; ++y) {
    const std::size_t row = (height - 1 - y) * rowBytes;
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t at = row + x / 8;
      const bool ink = at < bits.size() && (bits[at] >> (7 - x % 8) & 1);
      const std::uint8_t level = ink ? 0x00 : 0xFF;
      append(rgba, level, level, level);
    }
  }
  return rgba;
}

std::vector<std::uint8_t> rgbaOfLogo(const LogoPicture& picture) {
  std::vector<std::uint8_t> rgba;
  const auto pixels = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
  rgba.reserve(pixels * 4);
  for (std::size_t i = 0; i < pixels && i / 2 < picture.rows.size(); ++i) {
    const std::uint8_t pair = picture.rows[i / 2];
    const Rgb& colour = kVgaColours[i % 2 == 0 ? pair >> 4 : pair & 0x0F];
    append(rgba, colour.red, colour.green, colour.blue);
  }
  return rgba;
}

}  // namespace quarzel::web
