// Builds ROM images from parts: place a signature with chosen operands at a
// chosen offset, set bytes and texts, fix the checksum. The tests build their
// images with it, and quarzel-cli its sample image. Writes that would pass
// the 64 KiB buffer are dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>

#include "formats/signature.h"
#include "formats/image.h"

namespace quarzel {

class RomBuilder {
 public:
  // An image of `size` bytes: 55h AAh, the ROM length byte for that size
  // (at most 80h), the rest `fill`.
  explicit RomBuilder(std::size_t size = 32768, std::uint8_t fill = 0x00);

  // The compared bytes of `signature` at `offset`, then each (position in
  // the signature, 16-bit value) operand little-endian.
  RomBuilder& place(const Signature& signature, std::size_t offset,
                    std::initializer_list<std::pair<std::size_t, std::uint16_t>> operands = {});
  RomBuilder& byte(std::size_t offset, std::uint8_t value);
  RomBuilder& word(std::size_t offset, std::uint16_t value);
  RomBuilder& dword(std::size_t offset, std::uint32_t value);
  RomBuilder& bytes(std::size_t offset, std::initializer_list<std::uint8_t> values);
  RomBuilder& bytes(std::size_t offset, std::span<const std::uint8_t> values);
  RomBuilder& fill(std::size_t offset, std::size_t length, std::uint8_t value);
  // The text's bytes and, unless told otherwise, a terminating zero.
  RomBuilder& text(std::size_t offset, std::string_view value, bool terminate = true);
  RomBuilder& romLengthByte(std::uint8_t value);

  // The image, with the checksum byte fixed when the ROM length allows.
  Image build(bool fixTheChecksum = true) const;

 private:
  Image image_;
};

}  // namespace quarzel
