// The BIOS image: a fixed 64 KiB buffer and the size of the loaded file.
//
// Every item the program finds is an offset into this buffer. All reads go
// through the checked accessors below, which refuse to pass the end of the
// buffer; bytes past `size` but inside the buffer are the zero fill of a load.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quarzel {

inline constexpr std::size_t kImageCapacity = 65536;

using Offset = std::uint16_t;  // a position in the image buffer

struct Image {
  std::array<std::uint8_t, kImageCapacity> bytes{};
  std::size_t size = kImageCapacity;

  // True when [pos, pos + length) lies inside the 64 KiB buffer.
  static constexpr bool fits(std::size_t pos, std::size_t length) {
    return pos <= kImageCapacity && length <= kImageCapacity - pos;
  }
  // One past the last byte of the loaded image, which a save writes; the
  // buffer bounds it whatever `size` says.
  constexpr std::size_t end() const { return size < kImageCapacity ? size : kImageCapacity; }
  // True when [pos, pos + length) lies inside the loaded image. An item the
  // pass finds lies there: the card holds other bytes past the file's end,
  // and a save keeps none.
  constexpr bool holds(std::size_t pos, std::size_t length) const { return pos <= end() && length <= end() - pos; }

  std::optional<std::uint8_t> byteAt(std::size_t pos) const;
  // Little-endian words, as the x86 code and the ROM tables store them.
  std::optional<std::uint16_t> word(std::size_t pos) const;
  std::optional<std::uint32_t> dword(std::size_t pos) const;
  // A word that lies wholly inside the loaded image, not in the zero fill.
  std::optional<std::uint16_t> loadedWord(std::size_t pos) const;

  // Length of the zero-terminated text at pos; a text that runs to the end
  // of the buffer ends there.
  std::size_t textLength(std::size_t pos) const;
  // The bytes of that text, each byte one char.
  std::string text(std::size_t pos) const;
  std::string text(std::size_t pos, std::size_t maxLength) const;
};

enum class LoadError {
  TooLarge,        // more than 65536 bytes
  TooShort,        // fewer than two bytes
  NoSignature,     // does not start with 55h AAh
};

// Plain words for a load error, as the CLI prints them after the file name.
const char* describe(LoadError error);

// Checks a whole file's contents and makes an image of them; the caller's
// current image is untouched when the file is refused.
struct LoadResult {
  std::optional<Image> image;
  std::optional<LoadError> error;
};
LoadResult loadImage(std::span<const std::uint8_t> file);

// The ROM length of the header: byte 2 in 512-byte units.
inline constexpr std::size_t kRomLengthByte = 2, kRomLengthUnit = 512;
std::size_t romLength(const Image& image);
// One past the last byte the card holds at boot: the ROM length, as far as
// the loaded image goes. The code the card runs and the texts it prints lie
// below it; what lies past it is not the card's.
std::size_t romEnd(const Image& image);

// True when bytes 0 .. romLength-1 add up to 0 modulo 256; false when the
// length is 0 or reaches past the loaded image.
bool checksumOk(const Image& image);

}  // namespace quarzel

namespace quarzel {

// Sets the last byte of the ROM length so that the ROM adds up to 0 modulo
// 256, and returns the covered length. A length byte of 0 or above 80h names
// a ROM that does not fit the buffer: the image is left unchanged and the
// result is empty.
std::optional<std::size_t> fixChecksum(Image& image);

}  // namespace quarzel
