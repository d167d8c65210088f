#include "analysis/strings/bios_date.h"

namespace quarzel {

namespace {
// The date lives in the ROM's first sector, whatever the image size.
constexpr std::size_t kFirstSlash = 2, kLastSlash = 511;
}  // namespace

void locateBiosDate(const Image& image, BiosLayout& layout) {
  for (std::size_t p = kFirstSlash; p <= kLastSlash; ++p) {
    // The first slashes found name the date, which a tiny image may cut.
    if (image.bytes[p] != '/' || image.bytes[p + 3] != '/') continue;
    if (!image.holds(p - 2, kBiosDateLength)) return;
    BiosDate& date = layout.biosDate;
    date.address = static_cast<Offset>(p - 2);
    date.maxLength = kBiosDateLength;
    readBiosDate(image, date);
    return;
  }
}

void readBiosDate(const Image& image, BiosDate& date) {
  date.text = {};
  if (!date.address) return;
  for (std::size_t i = 0; i < kBiosDateLength; ++i)
    date.text[i] = static_cast<char>(image.byteAt(*date.address + i).value_or(0));
}

}  // namespace quarzel
