#include "cli/text_escapes.h"

#include "formats/number_text.h"

namespace quarzel::cli {

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

}  // namespace quarzel::cli
