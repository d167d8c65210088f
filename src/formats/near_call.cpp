#include "formats/near_call.h"

namespace quarzel {

std::optional<std::size_t> nearCallTarget(const Image& image, std::size_t at) {
  const auto relative = image.word(at + 1);
  if (image.byteAt(at) != kNearCallOpcode || !relative) return std::nullopt;
  return (at + kNearCallBytes + *relative) & 0xFFFFu;
}

}  // namespace quarzel
