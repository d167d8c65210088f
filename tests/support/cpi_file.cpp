#include "support/cpi_file.h"

namespace quarzel::test {

void putCpiWord(std::vector<std::uint8_t>& file, std::size_t at, std::size_t value) {
  file[at] = static_cast<std::uint8_t>(value);
  file[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::vector<std::uint8_t> cpiHeader(std::size_t entries) {
  std::vector<std::uint8_t> file{0xFF, 'F', 'O', 'N', 'T', ' ', ' ', ' '};
  file.resize(kCpiHeaderBytes);
  putCpiWord(file, kCpiHeaderBytes - 2, entries);
  return file;
}

void appendCpiEntry(std::vector<std::uint8_t>& file, const CpiEntry& entry) {
  const std::size_t at = file.size();
  file.resize(at + kCpiEntryBytes);
  putCpiWord(file, at, kCpiEntryBytes - 6);  // the entry header's own size
  putCpiWord(file, at + kCpiEntryCodePage, entry.codePage);
  putCpiWord(file, at + kCpiEntryFontCount, entry.fonts.size());
  for (const CpiFont& font : entry.fonts) {
    file.insert(file.end(), {font.height, font.width, 0, 0, 0, 1});
    for (std::size_t i = 0; i < 256u * font.height; ++i) file.push_back(static_cast<std::uint8_t>(font.seed + i));
  }
  putCpiWord(file, at + kCpiEntryDataSize, file.size() - at - kCpiEntryBytes);
}

std::vector<std::uint8_t> cpiFile(const std::vector<CpiEntry>& entries) {
  std::vector<std::uint8_t> file = cpiHeader(entries.size());
  for (const CpiEntry& entry : entries) appendCpiEntry(file, entry);
  return file;
}

}  // namespace quarzel::test
