// 16-colour BMP files for the boot logo.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/edit_result.h"

namespace quarzel {

struct LogoPicture {
  std::int32_t width = 0;   // W, pixels
  std::int32_t height = 0;  // H, pixels
  // H rows of W / 2 bytes, top row first, two pixels a byte, left pixel in
  // the high nibble: what the logo block draws.
  std::vector<std::uint8_t> rows;
  // The whole file, for the picture the Logo page paints: the information
  // header (with its colour table) at offset 14 and the bottom-up pixel data
  // at `pixelOffset`, as stored.
  std::vector<std::uint8_t> file;
  std::size_t pixelOffset = 0;
  // The file's 16 colours as RGBQUADs (blue, green, red, 0); entries the
  // file leaves out are black. Only the on-screen picture uses them: at boot
  // the block draws the indexes in mode 12h's own palette.
  std::array<std::uint8_t, 16 * 4> colours{};
};

// The sizes the logo block can draw: widths 8, 16, ... 120 (its column
// compare is a sign-extended byte and a row is W / 2 bytes without padding)
// and heights 1 to 127. Empty when `width` x `height` is drawable.
std::optional<EditError> logoSizeError(std::int32_t width, std::int32_t height);

// Reads a 4-bit uncompressed BMP that the logo block can draw; every count
// and offset is checked against the file before a byte is read.
struct BmpParse {
  std::optional<LogoPicture> picture;
  std::optional<EditError> error;
};
BmpParse readLogoPicture(std::span<const std::uint8_t> file);

// Reads and checks the BMP file at `path`. A file that cannot be read, or
// is larger than any logo BMP can be, gives `fileError` and no picture.
inline constexpr std::size_t kLogoFileLimit = 16 * 1024 * 1024;
struct LogoFileRead {
  std::optional<LogoPicture> picture;
  std::optional<EditError> error;  // a file that was read but is no usable logo
  std::string fileError;           // a file that could not be read
};
LogoFileRead readLogoFile(const std::string& path);

// A 1-bit bottom-up bitmap as a BMP file: colour 0 white, colour 1 black.
// `bits` holds height rows of width / 8 bytes; width is a multiple of 32.
std::vector<std::uint8_t> monochromeBmp(std::size_t width, std::size_t height,
                                        std::span<const std::uint8_t> bits);

}  // namespace quarzel
