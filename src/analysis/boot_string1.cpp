#include "analysis/boot_string1.h"

#include <string>

#include "analysis/boot_string.h"

namespace quarzel {

namespace {

// The Logo page starts from the sign-on text: its first three CR LF lines,
// then the two fixed lines a 3dfx BIOS prints beneath them.
std::array<std::string, kLogoLines> logoLinesFrom(const std::string& text) {
  std::array<std::string, kLogoLines> lines;
  std::size_t start = 0;
  for (std::size_t line = 0; line < 3; ++line) {
    if (start > text.size()) return lines;
    const std::size_t cr = text.find('\r', start);
    if (cr == std::string::npos) return lines;
    lines[line] = text.substr(start, cr - start);
    start = cr + 2;  // past the LF
  }
  lines[3] = "3dfx Interactive, Inc.";
  lines[4] = "Total video memory:";
  return lines;
}

}  // namespace

void locateBootString1(const Image& image, BiosLayout& layout) {
  const std::size_t end = searchEnd(image, 30);
  BootString& string = layout.bootString1;
  if (const auto match = findFirst(image, kString1Main, end)) {
    recordBootString(image, string, *image.word(*match + 20), false);
    // The count operand of mov cx; only its low byte limits the text.
    string.lengthWord = static_cast<Offset>(*match + 11);
    string.maxLength = image.bytes[*match + 11];
    layout.bootCodeAddress = static_cast<Offset>(*match);
    layout.logoLines = logoLinesFrom(image.text(*string.address));
  } else if (const auto fallback = findFirst(image, kString1Fallback, end)) {
    recordBootString(image, string, *image.word(*fallback + 3), true);
  }
}

}  // namespace quarzel
