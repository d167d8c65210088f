// 16-colour BMP files for the tests, built in memory.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/bmp_picture.h"

namespace quarzel::test {

inline std::vector<std::uint8_t> with(std::vector<std::uint8_t> file, std::size_t pos, std::uint32_t value,
                                      std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) file.at(pos + i) = static_cast<std::uint8_t>(value >> (8 * i));
  return file;
}

// Pixels right after a 16-entry colour table in which colour i is
// (red 16 i, green 255 - 16 i, blue 8 i); stored row r (bottom-up) holds
// the bytes 10h * r + column.
inline std::vector<std::uint8_t> bmp4(std::int32_t width, std::int32_t height) {
  const std::size_t rowBytes = static_cast<std::size_t>(width > 0 ? width : 8) / 2;
  const std::size_t rows = static_cast<std::size_t>(height > 0 ? height : -height);
  std::vector<std::uint8_t> file(118 + rows * rowBytes);
  for (std::size_t i = 0; i < 16; ++i) {
    file[54 + 4 * i] = static_cast<std::uint8_t>(8 * i);
    file[55 + 4 * i] = static_cast<std::uint8_t>(255 - 16 * i);
    file[56 + 4 * i] = static_cast<std::uint8_t>(16 * i);
  }
  for (std::size_t i = 0; i < rows * rowBytes; ++i)
    file[118 + i] = static_cast<std::uint8_t>(0x10 * (i / rowBytes) + i % rowBytes);
  file = with(with(with(file, 0, 'B' | 'M' << 8, 2), 10, 118, 4), 14, 40, 4);
  return with(with(with(file, 18, static_cast<std::uint32_t>(width), 4), 22, static_cast<std::uint32_t>(height), 4),
              28, 4, 2);
}

// A paint program's 16 colours (the Windows palette) as red, green, blue:
// 1 dark red, 4 navy, 9 red, 12 blue, where VGA has 1 blue and 4 red.
inline constexpr std::uint8_t kWindowsPalette[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};

// A 16-colour BMP in that palette, `height` rows of vertical bars `barWidth`
// pixels wide (a multiple of 8) in the colour indexes given, left to right.
inline std::vector<std::uint8_t> paintedBars(std::int32_t height, const std::vector<std::uint8_t>& indexes,
                                             std::size_t barWidth = 16) {
  auto file = bmp4(static_cast<std::int32_t>(barWidth * indexes.size()), height);
  for (std::size_t i = 0; i < 16; ++i) {
    file[54 + 4 * i] = kWindowsPalette[i][2];
    file[55 + 4 * i] = kWindowsPalette[i][1];
    file[56 + 4 * i] = kWindowsPalette[i][0];
  }
  const std::size_t rowBytes = barWidth / 2 * indexes.size();
  for (std::size_t i = 0; i < rowBytes * static_cast<std::size_t>(height); ++i) {
    const std::uint8_t index = indexes[(i % rowBytes) / (barWidth / 2)];
    file[118 + i] = static_cast<std::uint8_t>(index << 4 | index);
  }
  return file;
}

// The file with colour i of its table set to VGA colour i, so that its
// indexes boot as they stand.
inline std::vector<std::uint8_t> withVgaColours(std::vector<std::uint8_t> file) {
  for (std::size_t i = 0; i < kLogoColours; ++i) {
    file.at(54 + 4 * i) = kVgaColours[i].blue;
    file.at(55 + 4 * i) = kVgaColours[i].green;
    file.at(56 + 4 * i) = kVgaColours[i].red;
  }
  return file;
}

}  // namespace quarzel::test
