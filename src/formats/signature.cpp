#include "formats/signature.h"

#include <algorithm>
#include <cstring>

namespace quarzel {

bool Signature::matchesAt(const Image& image, std::size_t pos) const {
  if (!Image::fits(pos, length_)) return false;
  for (std::size_t i = 0; i < length_; ++i)
    if (compared_[i] && image.bytes[pos + i] != bytes_[i]) return false;
  return true;
}

void Signature::stamp(Image& image, std::size_t pos) const {
  for (std::size_t i = 0; i < length_ && pos + i < kImageCapacity; ++i)
    if (compared_[i]) image.bytes[pos + i] = bytes_[i];
}

std::optional<std::size_t> findFirst(const Image& image, const Signature& signature,
                                     std::size_t end, std::size_t begin) {
  // Jump between occurrences of the first compared byte with memchr; the
  // result is the same lowest position a byte-by-byte scan finds.
  std::size_t anchor = 0;
  while (!signature.compared(anchor)) ++anchor;
  const std::uint8_t first = signature.byte(anchor);
  const std::uint8_t* base = image.bytes.data();
  std::size_t pos = begin;
  while (pos < end) {
    const std::size_t from = pos + anchor;
    if (from >= kImageCapacity) break;
    const std::size_t span = std::min(end + anchor, kImageCapacity) - from;
    const void* hit = std::memchr(base + from, first, span);
    if (hit == nullptr) break;
    pos = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - base) - anchor;
    if (signature.matchesAt(image, pos)) return pos;
    ++pos;
  }
  return std::nullopt;
}

}  // namespace quarzel
