#include "formats/image.h"

#include <algorithm>
#include <numeric>

namespace quarzel {

std::optional<std::uint8_t> Image::byteAt(std::size_t pos) const {
  if (!fits(pos, 1)) return std::nullopt;
  return bytes[pos];
}

std::optional<std::uint16_t> Image::word(std::size_t pos) const {
  if (!fits(pos, 2)) return std::nullopt;
  return static_cast<std::uint16_t>(bytes[pos] | bytes[pos + 1] << 8);
}

std::optional<std::uint16_t> Image::loadedWord(std::size_t pos) const {
  return holds(pos, 2) ? word(pos) : std::nullopt;
}

std::optional<std::uint32_t> Image::dword(std::size_t pos) const {
  if (!fits(pos, 4)) return std::nullopt;
  return static_cast<std::uint32_t>(bytes[pos]) |
         static_cast<std::uint32_t>(bytes[pos + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[pos + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[pos + 3]) << 24;
}

std::size_t Image::textLength(std::size_t pos) const {
  if (pos >= kImageCapacity) return 0;
  const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(pos);
  return static_cast<std::size_t>(std::find(begin, bytes.end(), 0) - begin);
}

std::string Image::text(std::size_t pos) const { return text(pos, textLength(pos)); }

std::string Image::text(std::size_t pos, std::size_t maxLength) const {
  if (pos >= kImageCapacity) return {};
  const std::size_t length = std::min(maxLength, kImageCapacity - pos);
  return std::string(reinterpret_cast<const char*>(bytes.data() + pos), length);
}

const char* describe(LoadError error) {
  switch (error) {
    case LoadError::TooLarge: return "is larger than 65536 bytes";
    case LoadError::TooShort: return "is shorter than two bytes";
    case LoadError::NoSignature: return "does not start with the option ROM signature 55h AAh";
  }
  return "cannot be loaded";
}

LoadResult loadImage(std::span<const std::uint8_t> file) {
  if (file.size() > kImageCapacity) return {std::nullopt, LoadError::TooLarge};
  if (file.size() < 2) return {std::nullopt, LoadError::TooShort};
  if (file[0] != 0x55 || file[1] != 0xAA) return {std::nullopt, LoadError::NoSignature};
  Image image;
  std::copy(file.begin(), file.end(), image.bytes.begin());
  image.size = file.size();
  return {image, std::nullopt};
}

std::size_t romLength(const Image& image) { return std::size_t{image.bytes[kRomLengthByte]} * kRomLengthUnit; }

std::size_t romEnd(const Image& image) { return std::min(romLength(image), image.end()); }

bool checksumOk(const Image& image) {
  const std::size_t length = romLength(image);
  if (length == 0 || length > image.size) return false;
  const auto end = image.bytes.begin() + static_cast<std::ptrdiff_t>(length);
  return std::accumulate(image.bytes.begin(), end, 0u) % 256 == 0;
}

}  // namespace quarzel

namespace quarzel {

std::optional<std::size_t> fixChecksum(Image& image) {
  const std::size_t length = romLength(image);
  if (length == 0 || length > kImageCapacity) return std::nullopt;
  image.bytes[length - 1] = 0;
  const auto end = image.bytes.begin() + static_cast<std::ptrdiff_t>(length);
  const unsigned sum = std::accumulate(image.bytes.begin(), end, 0u);
  image.bytes[length - 1] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
  return length;
}

}  // namespace quarzel
