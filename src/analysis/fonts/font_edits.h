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

// The sizes whose font is located with its whole table inside the image:
// the tables a font edit can replace.
FontSizeSet locatedFontSizes(const Image& image, const BiosLayout& layout);

// Why a code-page import cannot be made as asked: the file holds no entry
// of the code page, or an asked size is not among the code page's usable
// fonts, or it is not located in the BIOS (or not whole in the image).
struct CodePageRefusal {
  enum Kind { NoCodePage, NoFontInFile, FontNotLocated } kind = NoCodePage;
  FontSize size = Font8x8;  // the asked size refused, for the last two
  friend bool operator==(const CodePageRefusal&, const CodePageRefusal&) = default;
};
// Empty when every size of `asked` can be imported; else the first refusal,
// the sizes taken from 8x8 up.
std::optional<CodePageRefusal> codePageImportRefusal(const Image& image, const BiosLayout& layout,
                                                     const CodePageFile& file, std::uint16_t codePage,
                                                     FontSizeSet asked);

// Apply of Select Font: every usable font of every entry of `codePage`
// whose size is ticked and located (as locatedFontSizes), in file order.
// Sizes not ticked or not located are skipped. Does not sync the fix-ups.
EditResult copyCodePageFonts(Image& image, const BiosLayout& layout, const CodePageFile& file,
                             std::uint16_t codePage, FontSizeSet ticked);

}  // namespace quarzel
