#include "analysis/modes/mode_info_table.h"

namespace quarzel {

namespace {

// FindModeData (40D9h in Agp_sg.rom) compares byte 0; the mode set reads the
// record number at 1, the memory model at 4, bits per pixel at 6, width,
// height and bytes per line at 7, 9 and 0Bh.
ModeInfo readModeInfo(const Image& image, std::size_t at) {
  const auto byte = [&](std::size_t i) { return image.bytes[at + i]; };
  const auto word = [&](std::size_t i) { return static_cast<std::uint16_t>(byte(i) | byte(i + 1) << 8); };
  return {at, byte(0), byte(1), word(2), byte(4), byte(5), byte(6), word(7), word(9), word(11), byte(13)};
}

}  // namespace

std::optional<std::vector<ModeInfo>> modeInfoRecords(const Image& image, std::size_t table) {
  std::vector<ModeInfo> records;
  for (std::size_t at = table; at < image.end(); at += kModeInfoBytes) {
    if (image.bytes[at] == kModeInfoEnd) return records;
    if (image.end() - at < kModeInfoBytes) break;
    records.push_back(readModeInfo(image, at));
  }
  return std::nullopt;
}

}  // namespace quarzel
