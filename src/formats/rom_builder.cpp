#include "formats/rom_builder.h"

#include <algorithm>

namespace quarzel {

RomBuilder::RomBuilder(std::size_t size, std::uint8_t fillByte) {
  image_.size = std::min(size, kImageCapacity);
  size = image_.size;
  std::fill_n(image_.bytes.begin(), size, fillByte);
  if (size > 0) image_.bytes[0] = 0x55;
  if (size > 1) image_.bytes[1] = 0xAA;
  if (size > kRomLengthByte)
    image_.bytes[kRomLengthByte] = static_cast<std::uint8_t>(std::min<std::size_t>(size / kRomLengthUnit, 0x80));
}

RomBuilder& RomBuilder::place(const Signature& signature, std::size_t offset,
                              std::initializer_list<std::pair<std::size_t, std::uint16_t>> operands) {
  if (!Image::fits(offset, signature.size())) return *this;
  signature.stamp(image_, offset);
  for (const auto& [position, value] : operands) word(offset + position, value);
  return *this;
}

RomBuilder& RomBuilder::byte(std::size_t offset, std::uint8_t value) {
  if (offset < kImageCapacity) image_.bytes[offset] = value;
  return *this;
}

RomBuilder& RomBuilder::word(std::size_t offset, std::uint16_t value) {
  byte(offset, static_cast<std::uint8_t>(value));
  return byte(offset + 1, static_cast<std::uint8_t>(value >> 8));
}

RomBuilder& RomBuilder::dword(std::size_t offset, std::uint32_t value) {
  word(offset, static_cast<std::uint16_t>(value));
  return word(offset + 2, static_cast<std::uint16_t>(value >> 16));
}

RomBuilder& RomBuilder::bytes(std::size_t offset, std::initializer_list<std::uint8_t> values) {
  return bytes(offset, std::span(values.begin(), values.size()));
}

RomBuilder& RomBuilder::bytes(std::size_t offset, std::span<const std::uint8_t> values) {
  for (const std::uint8_t value : values) byte(offset++, value);
  return *this;
}

RomBuilder& RomBuilder::fill(std::size_t offset, std::size_t length, std::uint8_t value) {
  if (!Image::fits(offset, length)) return *this;
  std::fill_n(image_.bytes.begin() + static_cast<std::ptrdiff_t>(offset), length, value);
  return *this;
}

RomBuilder& RomBuilder::text(std::size_t offset, std::string_view value, bool terminate) {
  for (const char c : value) byte(offset++, static_cast<std::uint8_t>(c));
  if (terminate) byte(offset, 0);
  return *this;
}

RomBuilder& RomBuilder::romLengthByte(std::uint8_t value) { return byte(2, value); }

Image RomBuilder::build(bool fixTheChecksum) const {
  Image image = image_;
  if (fixTheChecksum && romLength(image) <= image.size) fixChecksum(image);
  return image;
}

}  // namespace quarzel
