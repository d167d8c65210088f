#include "describe/json.h"

namespace quarzel {

Json biosText(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {  // U+0080..U+00FF in two bytes
      utf8 += static_cast<char>(0xC0 | byte >> 6);
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

std::optional<std::string> biosBytes(std::string_view utf8) {
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      bytes += static_cast<char>(byte);
      continue;
    }
    // U+0080..U+00FF: C2 or C3 and one continuation byte.
    if ((byte != 0xC2 && byte != 0xC3) || i + 1 == utf8.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(utf8[++i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    bytes += static_cast<char>((byte & 0x03) << 6 | (next & 0x3F));
  }
  return bytes;
}

std::string jsonText(const Json& json) { return json.dump(2) + "\n"; }

}  // namespace quarzel
