// The coloured ranges of the hex listing: bytes that differ from the
// committed copy in red, then the range being shown in blue. Positions are
// character positions in the listing text, CR LF counting two.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/image.h"

namespace quarzel {

inline constexpr std::uint32_t kChangedColour = 0x000000FF;  // COLORREF red
inline constexpr std::uint32_t kShownColour = 0x00FF0000;    // COLORREF blue

struct Highlight {
  std::int32_t start;
  std::int32_t end;  // one past the last character
  std::uint32_t colour;
  friend bool operator==(const Highlight&, const Highlight&) = default;
};

// Red triples for every run of changed bytes (a run never passes its line),
// then blue triples for [offset, offset + length) when both are non-zero.
// The list holds as many triples as the changes need.
std::vector<Highlight> dumpHighlights(const Image& image, const Image& backup, std::int32_t offset,
                                      std::int32_t length);

}  // namespace quarzel
