#include "formats/dump_listing.h"

#include <algorithm>

#include "formats/edit_result.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

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

DumpOffset dumpOffset(std::string_view text, std::size_t imageSize) {
  const std::size_t first = text.find_first_not_of(" \t");
  std::string_view digits = first == std::string_view::npos ? std::string_view{} : text.substr(first);
  digits = digits.substr(0, digits.find_last_not_of(" \t") + 1);
  const std::string_view typed = digits;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.remove_prefix(2);
  if (digits.empty() || !std::ranges::all_of(digits, [](char c) { return hexDigitValue(c) >= 0; }))
    return {std::nullopt, "\"" + std::string(typed) + "\": " + describe(EditError::NotHexNumber)};
  const auto number = readHexNumber(digits);
  const std::size_t last = imageSize - 1;
  if (const auto* value = std::get_if<std::uint32_t>(&number); value && *value < imageSize) return {*value, {}};
  return {std::nullopt, std::string(typed) + formatText(": past the end of the image (0000..%04zX)", last)};
}

}  // namespace quarzel
