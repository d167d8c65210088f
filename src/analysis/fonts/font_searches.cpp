#include "analysis/fonts/font_searches.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "analysis/fonts/font_locator.h"

namespace quarzel {

namespace {

// The start of a font: blank character 0, then the top of the face glyph of
// character 1. The face's closing 7E row sits one or two rows apart between
// BIOS builds, so it may be any byte of [closeFirst, closeLast].
struct GlyphStart {
  Signature blankThenFace;
  std::size_t closeFirst;
  std::size_t closeLast;
};

constexpr std::array<GlyphStart, 3> kGlyphStarts{{
    // The 8x8 face is compared whole; its own last row is the closing row.
    {Signature{"00 00 00 00 00 00 00 00 7E 81 A5 81 BD 99 81 7E"}, 15, 15},
    {Signature{"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 7E"}, 24, 26},
    {Signature{"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 7E"}, 27, 28},
}};

bool closesFace(const Image& image, std::size_t start, const GlyphStart& glyphs) {
  const auto first = image.bytes.begin() + static_cast<std::ptrdiff_t>(start + glyphs.closeFirst);
  const auto last = image.bytes.begin() + static_cast<std::ptrdiff_t>(start + glyphs.closeLast);
  return std::find(first, last + 1, 0x7E) != last + 1;
}

// The usual order of the fonts in a VGA BIOS: 8x8, 8x14, 8x16, back to back.
struct Neighbour {
  FontSize source;
  std::ptrdiff_t distance;  // from the source font's offset
};

constexpr std::array<Neighbour, 3> kNeighbours{{
    {Font8x14, -static_cast<std::ptrdiff_t>(fontTableBytes(Font8x8))},
    {Font8x8, static_cast<std::ptrdiff_t>(fontTableBytes(Font8x8))},
    {Font8x14, static_cast<std::ptrdiff_t>(fontTableBytes(Font8x14))},
}};

}  // namespace

bool glyphSearch(const Image& image, BiosLayout& layout, FontSize size) {
  // The search stays far enough below imageSize that every compared byte
  // (at most start + 28) lies inside the image.
  const GlyphStart& glyphs = kGlyphStarts[static_cast<std::size_t>(size)];
  const std::size_t end = searchEnd(image, kSearchMargin);
  for (auto start = findFirst(image, glyphs.blankThenFace, end); start;
       start = findFirst(image, glyphs.blankThenFace, end, *start + 1)) {
    if (closesFace(image, *start, glyphs) && fontTableFits(*start, size, image.size)) {
      layout.fonts[size] = static_cast<Offset>(*start);
      return true;
    }
  }
  return false;
}

bool neighbourSearch(const Image& image, BiosLayout& layout, FontSize size) {
  const Neighbour& neighbour = kNeighbours[static_cast<std::size_t>(size)];
  const Location source = layout.fonts[neighbour.source];
  // An offset of 0 stands for a font not found, as the program shows it.
  if (!source || *source == 0) return false;
  const std::ptrdiff_t derived = std::ptrdiff_t{*source} + neighbour.distance;
  if (derived < 0 || !fontTableFits(static_cast<std::size_t>(derived), size, image.size)) return false;
  layout.fonts[size] = static_cast<Offset>(derived);
  return true;
}

}  // namespace quarzel
