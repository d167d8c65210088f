#include "formats/dump_listing.h"

#include <algorithm>

namespace quarzel {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

char* putHex(char* out, unsigned value, int digits) {
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) *out++ = kHexDigits[(value >> shift) & 0xF];
  return out;
}

char printable(std::uint8_t byte) { return byte >= 0x20 && byte <= 0x7E ? static_cast<char>(byte) : '.'; }

}  // namespace

std::string dumpListing(const Image& image) {
  const std::size_t lines = (image.end() + 15) / 16;
  std::string listing(lines * kDumpLineLength, ' ');
  char* out = listing.data();
  for (std::size_t line = 0; line < lines; ++line) {
    const std::size_t start = line * 16;
    out = putHex(out, static_cast<unsigned>(start), 4);
    *out++ = ':';
    *out++ = ' ';
    for (std::size_t column = 0; column < 16; ++column) {
      out = putHex(out, image.bytes[start + column], 2);
      out += column == 7 || column == 15 ? 2 : 1;  // blanks already there
    }
    for (std::size_t column = 0; column < 16; ++column) *out++ = printable(image.bytes[start + column]);
    *out++ = '\r';
    *out++ = '\n';
  }
  return listing;
}

}  // namespace quarzel
