// The Dump page's listing: 16 bytes a line, 74 characters with the CR LF.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "formats/image.h"

namespace quarzel {

inline constexpr std::size_t kDumpLineLength = 74;

// "%04X: " and sixteen "%02X " groups with one extra blank after each eight,
// then the 16 characters (20h..7Eh as themselves, others "."), then CR LF;
// one line per 16 bytes below the image size, the last line always whole.
std::string dumpListing(const Image& image);

// The offset a user asks the listing to go to: hexadecimal digits only
// (blanks around them and a 0x before them allowed), below the image size.
// Anything else is refused with its reason: "12G4": not a hexadecimal
// number, or 8000: past the end of the image (0000..7FFF).
struct DumpOffset {
  std::optional<std::size_t> offset;
  std::string refusal;
};
DumpOffset dumpOffset(std::string_view text, std::size_t imageSize);

}  // namespace quarzel
