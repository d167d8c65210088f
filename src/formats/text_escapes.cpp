#include "formats/text_escapes.h"

#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel {

std::optional<std::string> unescapeText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case '\\': out += '\\'; break;
      case 'x': {
        const int high = i + 1 < text.size() ? hexDigitValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexDigitValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

std::string escapeText(std::string_view bytes, std::string_view alsoEscaped) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (byte < 0x20 || byte > 0x7E || alsoEscaped.find(c) != std::string_view::npos)
      out += formatText("\\x%02X", byte);
    else if (c == '\\')
      out += "\\\\";
    else
      out += c;
  }
  return out;
}

}  // namespace quarzel
