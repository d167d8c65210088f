#include "formats/dump_rtf.h"

#include <algorithm>

#include "formats/dump_listing.h"

namespace quarzel {

namespace {

// The CR LF at the end of every listing line: a paragraph mark in RTF.
constexpr std::size_t kLineText = kDumpLineLength - 2;

void appendColourTable(std::string& rtf, const DumpPalette& palette) {
  // The table's first entry is left empty, the automatic colour: colour c
  // of a character is \cf c.
  rtf += "{\\colortbl;";
  for (const std::uint32_t rgb : palette)
    rtf += "\\red" + std::to_string(rgb >> 16) + "\\green" + std::to_string((rgb >> 8) & 0xFF) + "\\blue" +
           std::to_string(rgb & 0xFF) + ";";
  rtf += "}";
}

}  // namespace

std::vector<std::uint8_t> characterColours(const std::vector<Highlight>& list, std::size_t size) {
  std::vector<std::uint8_t> colours(size);
  for (const Highlight& h : list) {
    const auto start = std::min(static_cast<std::size_t>(std::max(h.start, 0)), size);
    const auto end = std::clamp(static_cast<std::size_t>(std::max(h.end, 0)), start, size);
    std::fill(colours.begin() + static_cast<std::ptrdiff_t>(start), colours.begin() + static_cast<std::ptrdiff_t>(end),
              static_cast<std::uint8_t>(1 + static_cast<int>(h.mark)));
  }
  return colours;
}

std::string dumpRtf(std::string_view listing, const std::vector<std::uint8_t>& colours, std::size_t first,
                    std::size_t last, const DumpPalette& palette) {
  std::string rtf = "{\\rtf1\\ansi";
  appendColourTable(rtf, palette);
  rtf.reserve(rtf.size() + (last - first) * (kDumpLineLength + 16));
  int current = -1;  // every stream names its first colour
  for (std::size_t line = first; line < last && (line + 1) * kDumpLineLength <= listing.size(); ++line) {
    for (std::size_t p = line * kDumpLineLength; p < line * kDumpLineLength + kLineText; ++p) {
      const int colour = p < colours.size() ? colours[p] : 0;
      if (colour != current) {
        rtf += "\\cf" + std::to_string(colour) + " ";
        current = colour;
      }
      const char c = listing[p];
      if (c == '\\' || c == '{' || c == '}') rtf += '\\';
      rtf += c;
    }
    if (line + 1 < last && (line + 2) * kDumpLineLength <= listing.size()) rtf += "\\par\n";
  }
  return rtf + "}";
}

}  // namespace quarzel
