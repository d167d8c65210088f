#include "formats/number_text.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <compare>
#include <limits>
#include <vector>

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

namespace {

// A natural number of any size, in 32-bit limbs, least significant first:
// just what the exact reading of a decimal fraction needs.
class Natural {
 public:
  explicit Natural(std::uint32_t value = 0) {
    if (value) limbs_.push_back(value);
  }
  void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (auto& limb : limbs_) {
      carry += std::uint64_t{limb} * factor;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }
  void shiftLeft(std::size_t bits) {
    if (limbs_.empty()) return;
    limbs_.insert(limbs_.begin(), bits / 32, 0);
    if (const std::size_t rest = bits % 32) {
      std::uint32_t carry = 0;
      for (auto& limb : limbs_) {
        const std::uint32_t next = limb >> (32 - rest);
        limb = limb << rest | carry;
        carry = next;
      }
      if (carry) limbs_.push_back(carry);
    }
  }
  std::size_t bitLength() const {
    if (limbs_.empty()) return 0;
    return 32 * limbs_.size() - static_cast<std::size_t>(std::countl_zero(limbs_.back()));
  }
  friend std::strong_ordering operator<=>(const Natural& a, const Natural& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() <=> b.limbs_.size();
    return std::lexicographical_compare_three_way(a.limbs_.rbegin(), a.limbs_.rend(), b.limbs_.rbegin(),
                                                  b.limbs_.rend());
  }
  friend bool operator==(const Natural&, const Natural&) = default;
  // this -= smaller
  void subtract(const Natural& smaller) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t limb = std::int64_t{limbs_[i]} - borrow - (i < smaller.limbs_.size() ? smaller.limbs_[i] : 0);
      borrow = limb < 0;
      limbs_[i] = static_cast<std::uint32_t>(limb + (borrow << 32));
    }
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

 private:
  std::vector<std::uint32_t> limbs_;
};

// The double nearest to numerator / denominator (both non-zero), ties to
// even, as a correct decimal reader rounds; empty where it lies outside
// the normal doubles.
std::optional<double> nearestQuotient(Natural numerator, Natural denominator) {
  constexpr int kMantissaBits = 53;
  // Scale so that the quotient has 54 or 55 bits: 53 to keep, a guard bit.
  const int scale = kMantissaBits + 1 - (static_cast<int>(numerator.bitLength()) -
                                         static_cast<int>(denominator.bitLength()));
  if (scale > 0) numerator.shiftLeft(static_cast<std::size_t>(scale));
  if (scale < 0) denominator.shiftLeft(static_cast<std::size_t>(-scale));
  // Long division, one quotient bit at a time.
  std::uint64_t quotient = 0;
  for (int bit = kMantissaBits + 2; bit >= 0; --bit) {
    Natural part = denominator;
    part.shiftLeft(static_cast<std::size_t>(bit));
    if (numerator >= part) {
      numerator.subtract(part);
      quotient |= std::uint64_t{1} << bit;
    }
  }
  // Keep 53 bits; what is cut off and the remainder decide the rounding.
  const int cut = static_cast<int>(std::bit_width(quotient)) - kMantissaBits;
  const std::uint64_t half = std::uint64_t{1} << (cut - 1);
  const std::uint64_t dropped = quotient & ((half << 1) - 1);
  std::uint64_t kept = quotient >> cut;
  const bool inexactBelow = numerator != Natural{};
  if (dropped > half || (dropped == half && (inexactBelow || (kept & 1)))) ++kept;
  const int exponent = cut - scale;  // value = kept * 2^exponent
  const double value = std::ldexp(static_cast<double>(kept), exponent);
  if (!std::isfinite(value) || value < std::numeric_limits<double>::min()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> readDecimalFraction(std::string_view text) {
  const auto point = text.find('.');
  if (!isDigits(text.substr(0, point))) return std::nullopt;
  const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  if (point != std::string_view::npos && !isDigits(fraction)) return std::nullopt;
  // Read exactly and rounded once, the same on every build and in every
  // locale: all digits as one number, over 10 to the fraction's length.
  Natural digits, power(1);
  for (const char c : text)
    if (c != '.') digits.multiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
  for (std::size_t i = 0; i < fraction.size(); ++i) power.multiplyAdd(10, 0);
  if (digits == Natural{}) return 0.0;
  return nearestQuotient(std::move(digits), std::move(power));
}

}  // namespace quarzel
