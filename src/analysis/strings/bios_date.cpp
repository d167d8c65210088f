#include "analysis/strings/bios_date.h"

#include <algorithm>

namespace quarzel {

namespace {
// The date lives in the ROM's first sector, whatever the image size.
constexpr std::size_t kFirstSlash = 2, kLastSlash = 511;
}  // namespace

void locateBiosDate(const Image& image, BiosLayout& layout) {
  for (std::size_t p = kFirstSlash; p <= kLastSlash; ++p) {
    if (image.bytes[p] != '/' || image.bytes[p + 3] != '/') continue;
    BiosDate& date = layout.biosDate;
    date.address = static_cast<Offset>(p - 2);
    date.maxLength = kBiosDateLength;
    const auto first = image.bytes.begin() + static_cast<std::ptrdiff_t>(p - 2);
    std::copy_n(first, kBiosDateLength, date.text.begin());
    return;
  }
}

}  // namespace quarzel
