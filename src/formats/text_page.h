// The VGA text page (B8000h) as text: 80 x 25 cells of a character and its
// attribute, characters in code page 437.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quarzel {

inline constexpr std::size_t kTextColumns = 80, kTextRows = 25;
inline constexpr std::size_t kTextPageBytes = kTextColumns * kTextRows * 2;

// One code page 437 character as UTF-8 (character 0 a blank, the control
// codes as the glyphs the card draws for them).
std::string cp437Utf8(std::uint8_t code);

// The page's rows as UTF-8 lines, trailing blanks cut, trailing empty rows
// left out. A page shorter than kTextPageBytes reads as blank past its end.
std::string textPageText(std::span<const std::uint8_t> page);

}  // namespace quarzel
