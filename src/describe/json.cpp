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

std::string jsonText(const Json& json) { return json.dump(2) + "\n"; }

}  // namespace quarzel
