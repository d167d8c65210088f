// The entries of a fix-up table, walked as the BIOS walks them: a code
// byte and the glyph's rows each, up to a 0 code byte.
#pragma once

#include <cstddef>
#include <vector>

#include "analysis/bios_layout.h"
#include "formats/font_table.h"

namespace quarzel {

struct FixupEntries {
  std::vector<std::size_t> entries;  // the offset of each entry's code byte
  std::size_t end = 0;               // just past the last entry
  bool terminated = false;           // a 0 code byte stands at `end`
};

// A table with no 0 code byte before the end of the image ends with the
// last entry that fits whole there; a table not located has no entries.
FixupEntries fixupEntries(const Image& image, Location table, FontSize size);

}  // namespace quarzel
