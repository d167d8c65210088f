#include "describe/readable_text.h"

#include "formats/text_format.h"

namespace quarzel {

std::string readable(const std::string& bytes, const std::string& indent) {
  std::string out = indent;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      if (i + 2 < bytes.size()) out += "\n" + indent;
      ++i;
    } else if (byte >= 0x20 && byte <= 0x7E) {
      out += static_cast<char>(byte);
    } else {
      out += formatText("\\x%02X", byte);
    }
  }
  return out + "\n";
}

}  // namespace quarzel
