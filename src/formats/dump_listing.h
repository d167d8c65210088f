// The Dump page's listing: 16 bytes a line, 74 characters with the CR LF.
#pragma once

#include <cstddef>
#include <string>

#include "formats/image.h"

namespace quarzel {

inline constexpr std::size_t kDumpLineLength = 74;

// "%04X: " and sixteen "%02X " groups with one extra blank after each eight,
// then the 16 characters (20h..7Eh as themselves, others "."), then CR LF;
// one line per 16 bytes below the image size, the last line always whole.
std::string dumpListing(const Image& image);

}  // namespace quarzel
