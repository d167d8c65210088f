// Font edits of the image: a font file or code-page fonts over the located
// font tables, and the fix-up tables brought in line with the new fonts.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "analysis/bios_layout.h"
#include "formats/code_page_file.h"
#include "formats/edit_result.h"
#include "formats/font_table.h"

namespace quarzel {

// Load Font with a .fnt file: its length must give the selected size and
// that font must be located; only then is the table replaced, and the
// fix-up tables are synchronised.
EditResult loadFontFile(Image& image, const BiosLayout& layout, FontSize selected,
                        std::span<const std::uint8_t> file);

// Save Font: the table of the size as it stands in the image; empty when
// that font is not located.
std::optional<std::vector<std::uint8_t>> fontFileBytes(const Image& image, const BiosLayout& layout,
                                                       FontSize size);

// Copies glyph c of the 8x14 and 8x16 fonts over each entry of their
// fix-up tables, up to the 0 code byte or the end of the image.
EditResult syncFixupTables(Image& image, const BiosLayout& layout);

// Apply of Select Font: every usable font of every entry of `codePage`
// whose size is ticked and whose BIOS font is located, in file order. Sizes
// not ticked or not located are skipped. Does not sync the fix-ups.
EditResult copyCodePageFonts(Image& image, const BiosLayout& layout, const CodePageFile& file,
                             std::uint16_t codePage, FontSizeSet ticked);

}  // namespace quarzel
