#include "formats/number_text.h"

#include <algorithm>
#include <charconv>

namespace quarzel {

namespace {
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigits(std::string_view text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

std::variant<std::uint32_t, NumberError> readHexNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // The 0 of a prefix is a digit itself: "0x" with nothing after it is 0.
  const bool prefixed = i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
  if (prefixed) i += 2;

  const std::size_t first = i;
  std::uint64_t value = 0;
  for (; i < text.size() && hexDigitValue(text[i]) >= 0; ++i) {
    value = value << 4 | static_cast<std::uint64_t>(hexDigitValue(text[i]));
    if (value > 0xFFFFFFFF) return NumberError::TooLarge;
  }
  if (i == first && !prefixed) return NumberError::NoNumber;
  const auto number = static_cast<std::uint32_t>(value);
  return negative ? static_cast<std::uint32_t>(0u - number) : number;
}

std::optional<std::uint32_t> parseHexText(std::string_view text) {
  const auto read = readHexNumber(text);
  if (const auto* number = std::get_if<std::uint32_t>(&read)) return *number;
  return std::nullopt;
}

std::variant<std::uint32_t, NumberError> readDecimalNumber(std::string_view text) {
  if (!isDigits(text)) return NumberError::NoNumber;
  std::uint64_t number = 0;
  for (const char c : text) {
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
    if (number > 0xFFFFFFFF) return NumberError::TooLarge;
  }
  return static_cast<std::uint32_t>(number);
}

std::optional<std::uint32_t> readDecimal(std::string_view text) {
  const auto read = readDecimalNumber(text);
  if (const auto* number = std::get_if<std::uint32_t>(&read)) return *number;
  return std::nullopt;
}

std::optional<double> readDecimalFraction(std::string_view text) {
  const auto point = text.find('.');
  if (!isDigits(text.substr(0, point))) return std::nullopt;
  if (point != std::string_view::npos && !isDigits(text.substr(point + 1))) return std::nullopt;
  // What is left is in the fixed syntax of from_chars, which reads it
  // without regard to the locale.
  double number = 0;
  const auto read = std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed);
  if (read.ec != std::errc() || read.ptr != text.data() + text.size()) return std::nullopt;
  return number;
}

}  // namespace quarzel
