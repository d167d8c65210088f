#include "describe/names.h"

#include <algorithm>
#include <cctype>

#include "analysis/registers/pll_search.h"
#include "analysis/registers/registers.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel {

std::vector<std::string> commaList(const std::string& text) {
  std::vector<std::string> pieces(1);
  for (const char c : text) {
    if (c == ',')
      pieces.emplace_back();
    else
      pieces.back().push_back(c);
  }
  return pieces;
}

std::optional<std::size_t> registerNamed(std::string_view name) {
  const auto sameLetter = [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  };
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    if (std::ranges::equal(name, std::string_view(kRegisterNames[i]), sameLetter)) return i;
  return std::nullopt;
}

std::string registerNameList() {
  std::string list;
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    list += (i == 0 ? "" : i + 1 == kRegisterCount ? " or " : ", ") + std::string(kRegisterNames[i]);
  return list;
}

std::optional<double> parseClock(const std::string& text) {
  const auto megahertz = readDecimalFraction(text);
  if (!megahertz || !(*megahertz > 0) || *megahertz > highestPllFrequency()) return std::nullopt;
  return megahertz;
}

std::string clockRule() {
  // Three decimals round the highest clock down, so the number shown is taken.
  return formatText("MHZ is a decimal number such as 100 or 108.8, above 0 and at most %.3f (the PLL's highest clock)",
                    highestPllFrequency());
}

std::optional<FontSize> parseFontSize(const std::string& text) {
  for (const FontSize size : kFontSizes)
    if (text == fontSizeName(size)) return size;
  return std::nullopt;
}

const char* fontSizeName(FontSize size) {
  return size == Font8x8 ? "8x8" : size == Font8x14 ? "8x14" : "8x16";
}

}  // namespace quarzel
