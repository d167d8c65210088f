// Byte signatures of BIOS code and data, written the way a disassembly
// listing shows them: "B8 01 13 ?? ?? CD 10", where ?? (or ..) is a byte that
// is not compared. A malformed pattern does not compile: the parse calls
// `malformedSignature`, which no constant evaluation can call (a `throw`
// would do the same, but builds without exceptions refuse it).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "formats/image.h"
#include "formats/number_text.h"

namespace quarzel {

// Never defined: reaching it while a signature is parsed at compile time
// fails the compile, with the reason in the call.
void malformedSignature(const char* reason);

class Signature {
 public:
  static constexpr std::size_t kMaxLength = 64;

  consteval Signature(const char* pattern) {
    for (std::size_t i = 0; pattern[i] != '\0';) {
      if (pattern[i] == ' ') { ++i; continue; }
      if (length_ == kMaxLength) malformedSignature("signature too long");
      const char a = pattern[i], b = pattern[i + 1];
      if ((a == '?' && b == '?') || (a == '.' && b == '.')) {
        compared_[length_++] = false;
      } else {
        bytes_[length_] = static_cast<std::uint8_t>(digit(a) << 4 | digit(b));
        compared_[length_++] = true;
      }
      i += 2;
    }
    if (!anyCompared()) malformedSignature("signature compares nothing");
  }

  constexpr std::size_t size() const { return length_; }
  constexpr bool compared(std::size_t i) const { return compared_[i]; }
  constexpr std::uint8_t byte(std::size_t i) const { return bytes_[i]; }

  // True when every compared byte matches at pos and the whole signature,
  // don't-care bytes included, lies inside the 64 KiB buffer.
  bool matchesAt(const Image& image, std::size_t pos) const;

  // Writes the compared bytes at pos (for building images); the caller
  // makes sure the signature fits.
  void stamp(Image& image, std::size_t pos) const;

 private:
  // Upper-case digits only, as a listing writes them.
  static consteval int digit(char c) {
    if ((c >= 'a' && c <= 'f') || hexDigitValue(c) < 0) malformedSignature("bad hex digit in signature");
    return hexDigitValue(c);
  }
  constexpr bool anyCompared() const {
    for (std::size_t i = 0; i < length_; ++i)
      if (compared_[i]) return true;
    return false;
  }

  std::array<std::uint8_t, kMaxLength> bytes_{};
  std::array<bool, kMaxLength> compared_{};
  std::size_t length_ = 0;
};

// The start positions searched for most signatures: p < imageSize - margin,
// none at all when the image is no larger than the margin.
inline constexpr std::size_t kSearchMargin = 30;  // the margin of most searches
constexpr std::size_t searchEnd(const Image& image, std::size_t margin) {
  return image.size > margin ? image.size - margin : 0;
}

// First start position p in [begin, end) at which the signature matches.
std::optional<std::size_t> findFirst(const Image& image, const Signature& signature,
                                     std::size_t end, std::size_t begin = 0);

}  // namespace quarzel
