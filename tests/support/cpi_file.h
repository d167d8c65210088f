// DOS screen-font (.cpi) files built for the tests and the benchmarks: the
// FFh "FONT" header, then each entry's 34 bytes followed by its fonts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarzel::test {

inline constexpr std::size_t kCpiHeaderBytes = 25, kCpiEntryBytes = 34, kCpiFontHeaderBytes = 6;
// Words of an entry: its code page, its font count and its data size.
inline constexpr std::size_t kCpiEntryCodePage = 16, kCpiEntryFontCount = 30, kCpiEntryDataSize = 32;

struct CpiFont {
  std::uint8_t height;
  std::uint8_t width;
  std::uint8_t seed;  // glyph byte i is seed + i
};
struct CpiEntry {
  std::uint16_t codePage;
  std::vector<CpiFont> fonts;
};

void putCpiWord(std::vector<std::uint8_t>& file, std::size_t at, std::size_t value);
// The header of a file of `entries` entries.
std::vector<std::uint8_t> cpiHeader(std::size_t entries);
// Appends the entry and its fonts back to back, its data size counting them.
void appendCpiEntry(std::vector<std::uint8_t>& file, const CpiEntry& entry);
std::vector<std::uint8_t> cpiFile(const std::vector<CpiEntry>& entries);

}  // namespace quarzel::test
