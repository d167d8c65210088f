#include "cli/preview/png_picture.h"

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace quarzel::cli {

namespace {
void append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}
}  // namespace

std::vector<std::uint8_t> pngBytes(int width, int height, const std::vector<std::uint32_t>& pixels) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(pixels.size() * 3);
  for (const std::uint32_t pixel : pixels)
    rgb.insert(rgb.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                           static_cast<std::uint8_t>(pixel)});
  std::vector<std::uint8_t> png;
  if (!stbi_write_png_to_func(append, &png, width, height, 3, rgb.data(), width * 3)) png.clear();
  return png;
}

}  // namespace quarzel::cli
