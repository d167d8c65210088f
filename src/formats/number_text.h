// The number syntaxes the program reads, each read in one place:
// hexadecimal as sscanf's "%X" reads it (register texts, typed offsets,
// the CLI's offsets), plain decimal digits (the numbers of register
// fields, the CLI's counts) and decimal digits with a
// fraction (the CLI's clocks in MHz).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace quarzel {

// 0..15 for a hexadecimal digit of either case, -1 for any other character.
constexpr int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

enum class NumberError {
  NoNumber,  // no digit where the number should start
  TooLarge,  // more than 32 bits
};

// Leading white space, an optional sign, an optional 0x, then hexadecimal
// digits up to the first other character; what follows is ignored. A minus
// negates modulo 2^32. Unlike sscanf, a number past 32 bits is refused
// rather than cut or saturated.
std::variant<std::uint32_t, NumberError> readHexNumber(std::string_view text);
// The same, empty on either error.
std::optional<std::uint32_t> parseHexText(std::string_view text);

// A text of decimal digits only, nothing else, at most 32 bits.
std::variant<std::uint32_t, NumberError> readDecimalNumber(std::string_view text);
// The same, empty on either error.
std::optional<std::uint32_t> readDecimal(std::string_view text);

// Decimal digits with an optional point and fraction digits, nothing else
// (no sign, blank or exponent): "100", "108.8".
std::optional<double> readDecimalFraction(std::string_view text);

}  // namespace quarzel
