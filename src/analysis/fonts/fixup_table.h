// The entries of a fix-up table, walked as the BIOS walks them: a code
// byte and the glyph's rows each, up to a 0 code byte. Every reader of a
// table (the locator's size, the font edits, the comparison) takes this walk.
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

  // The bytes from the table's start to `end`, and the 0 code byte there.
  std::size_t bytes(Offset table) const { return end - table + (terminated ? 1 : 0); }
};

// A table with no 0 code byte before the end of the image ends with the
// last entry that fits whole there: nothing past the loaded image, and so
// nothing past the 64 KiB buffer, belongs to it. A table not located has
// no entries.
FixupEntries fixupEntries(const Image& image, Location table, FontSize size);

}  // namespace quarzel
