// Two images' fonts and fix-up tables compared glyph by glyph.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/bios_layout.h"
#include "formats/font_table.h"

namespace quarzel {

// The character codes whose glyphs differ between the font at `fontA` in
// `a` and the one at `fontB` in `b`; both tables lie whole in their images.
std::vector<std::uint8_t> differingGlyphs(const Image& a, std::size_t fontA, const Image& b, std::size_t fontB,
                                          FontSize size);

// How two fix-up tables differ, by the character codes of their entries.
struct FixupChanges {
  bool entriesDiffer = false;              // the entries differ, perhaps only in their order
  std::vector<std::uint8_t> onlyA, onlyB;  // codes with an entry in one table only
  std::vector<std::uint8_t> glyphs;        // codes in both whose rows differ (first entries)
};
FixupChanges compareFixups(const Image& a, Location tableA, const Image& b, Location tableB, FontSize size);

}  // namespace quarzel
