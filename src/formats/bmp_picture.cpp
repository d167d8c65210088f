#include "formats/bmp_picture.h"

#include <algorithm>
#include <cstddef>

namespace quarzel {

namespace {

// BITMAPFILEHEADER (14 bytes) and BITMAPINFOHEADER (40 bytes).
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kMonochromePaletteBytes = 2 * 4;
constexpr std::int32_t kMaxLogoWidth = 120;
constexpr std::int32_t kMaxLogoHeight = 127;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dpi

std::uint32_t readLe(std::span<const std::uint8_t> file, std::size_t pos, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | file[pos + i];
  return value;
}

void appendLe(std::vector<std::uint8_t>& out, std::uint32_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

BmpParse refuse(EditError error) { return {std::nullopt, error}; }

// The colour table follows the information header, whatever its size; a
// 4-bit file lists at most 16 colours (blue, green, red, 0 each), and a count
// of 0 means all 16.
void readColours(std::span<const std::uint8_t> file, LogoPicture& picture) {
  const std::size_t table = kFileHeaderBytes + readLe(file, kFileHeaderBytes, 4);
  const std::uint32_t used = readLe(file, 46, 4);
  const std::size_t count = used == 0 || used > kLogoColours ? kLogoColours : used;
  for (std::size_t i = 0; i < count && table <= file.size() && 4 * i + 3 < file.size() - table; ++i) {
    const std::size_t at = table + 4 * i;
    picture.fileColours[i] = {file[at + 2], file[at + 1], file[at]};
  }
  for (std::size_t i = 0; i < kLogoColours; ++i) picture.vgaColour[i] = nearestVgaColour(picture.fileColours[i]);
}

// Each pixel's file index becomes its VGA colour; both nibbles of a byte.
void mapPixels(LogoPicture& picture) {
  for (std::uint8_t& pair : picture.rows) {
    const unsigned left = pair >> 4, right = pair & 0x0Fu;
    picture.used[left] = picture.used[right] = true;
    pair = static_cast<std::uint8_t>(picture.vgaColour[left] << 4 | picture.vgaColour[right]);
  }
}

}  // namespace

std::uint8_t nearestVgaColour(const Rgb& colour) {
  const auto distance = [&](const Rgb& vga) {
    const auto square = [](int a, int b) { return (a - b) * (a - b); };
    return square(colour.red, vga.red) + square(colour.green, vga.green) + square(colour.blue, vga.blue);
  };
  std::uint8_t nearest = 0;
  for (std::uint8_t i = 1; i < kLogoColours; ++i)
    if (distance(kVgaColours[i]) < distance(kVgaColours[nearest])) nearest = i;
  return nearest;
}

std::vector<MergedColours> mergedColours(const LogoPicture& picture) {
  std::vector<MergedColours> merged;
  for (std::uint8_t vga = 0; vga < kLogoColours; ++vga) {
    MergedColours group{vga, {}};
    for (std::uint8_t i = 0; i < kLogoColours; ++i)
      if (picture.used[i] && picture.vgaColour[i] == vga) group.fileColours.push_back(i);
    if (group.fileColours.size() > 1) merged.push_back(std::move(group));
  }
  return merged;
}

std::string mergedColoursText(const LogoPicture& picture) {
  std::string text;
  for (const MergedColours& group : mergedColours(picture)) {
    std::string indexes;
    for (std::size_t i = 0; i < group.fileColours.size(); ++i) {
      const char* separator = i == 0 ? "" : i + 1 == group.fileColours.size() ? " and " : ", ";
      indexes += separator + std::to_string(group.fileColours[i]);
    }
    const char* together = group.fileColours.size() == 2 ? " both" : " all";
    text += text.empty() ? "Colours " + indexes + " of the file" + together + " boot as VGA colour "
                         : "; " + indexes + " as VGA colour ";
    text += std::to_string(group.vgaColour);
  }
  return text.empty() ? text : text + ".";
}

std::optional<EditError> logoSizeError(std::int32_t width, std::int32_t height) {
  if (width <= 0 || width % 8 != 0 || width > kMaxLogoWidth) return EditError::BmpWidthUnsupported;
  if (height <= 0 || height > kMaxLogoHeight) return EditError::BmpHeightUnsupported;
  return std::nullopt;
}

BmpParse readLogoPicture(std::span<const std::uint8_t> file) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') return refuse(EditError::NotBmp);
  if (file.size() < kFileHeaderBytes + kInfoHeaderBytes) return refuse(EditError::BmpTruncated);
  if (readLe(file, 28, 2) != 4) return refuse(EditError::BmpNotFourBit);
  if (readLe(file, 30, 4) != 0) return refuse(EditError::BmpCompressed);

  const auto width = static_cast<std::int32_t>(readLe(file, 18, 4));
  // A negative height marks a top-down file; the block is only ever fed
  // bottom-up files, so that is refused with the other unusable heights.
  const auto height = static_cast<std::int32_t>(readLe(file, 22, 4));
  if (const auto error = logoSizeError(width, height)) return refuse(*error);

  const std::size_t rowBytes = static_cast<std::size_t>(width) / 2;
  const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(height);
  const std::size_t pixelOffset = readLe(file, 10, 4);
  if (pixelOffset > file.size() || pixelBytes > file.size() - pixelOffset)
    return refuse(EditError::BmpTruncated);

  LogoPicture picture;
  picture.width = width;
  picture.height = height;
  readColours(file, picture);
  // The file stores the bottom row first; the block draws from the top.
  picture.rows.reserve(pixelBytes);
  for (std::size_t row = static_cast<std::size_t>(height); row-- > 0;) {
    const auto first = file.begin() + static_cast<std::ptrdiff_t>(pixelOffset + row * rowBytes);
    picture.rows.insert(picture.rows.end(), first, first + static_cast<std::ptrdiff_t>(rowBytes));
  }
  mapPixels(picture);
  return {std::move(picture), std::nullopt};
}

std::vector<std::uint8_t> monochromeBmp(std::size_t width, std::size_t height,
                                        std::span<const std::uint8_t> bits) {
  constexpr std::size_t kBitsOffset = kFileHeaderBytes + kInfoHeaderBytes + kMonochromePaletteBytes;
  std::vector<std::uint8_t> out;
  out.reserve(kBitsOffset + bits.size());
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  appendLe(out, static_cast<std::uint32_t>(kBitsOffset + bits.size()), 4);
  appendLe(out, 0, 4);  // reserved
  appendLe(out, kBitsOffset, 4);
  // BITMAPINFOHEADER: bottom-up (positive height), 1 bit, uncompressed
  appendLe(out, kInfoHeaderBytes, 4);
  appendLe(out, static_cast<std::uint32_t>(width), 4);
  appendLe(out, static_cast<std::uint32_t>(height), 4);
  appendLe(out, 1, 2);  // planes
  appendLe(out, 1, 2);  // bits per pixel
  appendLe(out, 0, 4);  // BI_RGB
  appendLe(out, static_cast<std::uint32_t>(bits.size()), 4);
  appendLe(out, kPixelsPerMetre, 4);
  appendLe(out, kPixelsPerMetre, 4);
  appendLe(out, 2, 4);  // colours used
  appendLe(out, 0, 4);  // colours important: all
  // Palette as RGBQUAD (blue, green, red, 0): 0 white paper, 1 black ink.
  out.insert(out.end(), {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00});
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

}  // namespace quarzel
