// The marked ranges of the hex listing: bytes that differ from the
// committed copy, then the range being shown. Positions are character
// positions in the listing text, CR LF counting two.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/image.h"

namespace quarzel {

// What a range is marked as; each viewer picks its own colour for it.
enum class Mark : std::uint8_t { Changed, Shown };

struct Highlight {
  std::int32_t start;
  std::int32_t end;  // one past the last character
  Mark mark;
  friend bool operator==(const Highlight&, const Highlight&) = default;
};

// Changed triples for every run of changed bytes (a run never passes its
// line), then Shown triples for [offset, offset + length) when both are
// non-zero.
// The list holds as many triples as the changes need.
std::vector<Highlight> dumpHighlights(const Image& image, const Image& backup, std::int32_t offset,
                                      std::int32_t length);

}  // namespace quarzel
