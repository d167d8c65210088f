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

// A colour as red, green and blue, 0 to 255 each.
struct Rgb {
  std::uint8_t red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The 16 colours of VGA mode 12h as the BIOS sets it up: the attribute
// controller's default palette into the DAC's EGA colours (6 is brown, not
// dark yellow). The logo block draws its picture in these.
inline constexpr std::size_t kLogoColours = 16;
inline constexpr std::array<Rgb, kLogoColours> kVgaColours{{
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0xAA}, {0x00, 0xAA, 0x00}, {0x00, 0xAA, 0xAA},
    {0xAA, 0x00, 0x00}, {0xAA, 0x00, 0xAA}, {0xAA, 0x55, 0x00}, {0xAA, 0xAA, 0xAA},
    {0x55, 0x55, 0x55}, {0x55, 0x55, 0xFF}, {0x55, 0xFF, 0x55}, {0x55, 0xFF, 0xFF},
    {0xFF, 0x55, 0x55}, {0xFF, 0x55, 0xFF}, {0xFF, 0xFF, 0x55}, {0xFF, 0xFF, 0xFF},
}};

// The VGA colour nearest to `colour` (by the sum of squared differences;
// the lower index of two as near).
std::uint8_t nearestVgaColour(const Rgb& colour);

struct LogoPicture {
  std::int32_t width = 0;   // W, pixels
  std::int32_t height = 0;  // H, pixels
  // H rows of W / 2 bytes, top row first, two pixels a byte, left pixel in
  // the high nibble, each a VGA colour: what the logo block draws and the
  // Logo page shows. The file's own indexes are mapped to the VGA colour
  // nearest to their colour, so the picture boots as it is shown.
  std::vector<std::uint8_t> rows;
  // The file's colours (entries the file leaves out are black) and the VGA
  // colour each became.
  std::array<Rgb, kLogoColours> fileColours{};
  std::array<std::uint8_t, kLogoColours> vgaColour{};
  // The file's colour indexes the pixels use.
  std::array<bool, kLogoColours> used{};
};

// Colours of the file that the pixels use and that became one VGA colour:
// each group names the VGA colour and the file's indexes, in order.
struct MergedColours {
  std::uint8_t vgaColour;
  std::vector<std::uint8_t> fileColours;
};
std::vector<MergedColours> mergedColours(const LogoPicture& picture);
// "Colours 1 and 9 of the file both boot as VGA colour 4; 3, 7 and 11 as VGA
// colour 7.", or empty where every used colour keeps a colour of its own.
std::string mergedColoursText(const LogoPicture& picture);

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

// A 1-bit bottom-up bitmap as a BMP file: colour 0 white, colour 1 black.
// `bits` holds height rows of width / 8 bytes; width is a multiple of 32.
std::vector<std::uint8_t> monochromeBmp(std::size_t width, std::size_t height,
                                        std::span<const std::uint8_t> bits);

}  // namespace quarzel
