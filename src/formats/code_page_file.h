// DOS code-page information files (.cpi, the "FONT" screen-font format):
// code-page entries back to back, each with its fonts back to back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/edit_result.h"
#include "formats/font_table.h"

namespace quarzel {

// No real code-page file comes near this; a larger file is refused before
// it is read, rather than held whole.
inline constexpr std::size_t kCodePageFileLimit = 1024 * 1024;

struct CodePageFont {
  std::uint8_t height = 0;
  std::uint8_t width = 0;
  std::size_t glyphs = 0;  // offset of its 256 x height glyph bytes in the file
};

struct CodePageEntry {
  std::uint16_t codePage = 0;
  std::vector<CodePageFont> fonts;  // in file order
};

struct CodePageFile {
  std::vector<std::uint8_t> bytes;
  std::vector<CodePageEntry> entries;  // in file order
};

// Reads the whole structure once, so that nothing later reads past the
// data: a file whose entries or fonts reach past its end is refused, and
// so is one where an entry's fonts reach past the data size the entry
// declares (into the entries after it). Entries and fonts of an accepted
// file therefore never overlap, and a walk over them is linear in the file
// size.
struct CodePageParse {
  std::optional<CodePageFile> file;
  std::optional<EditError> error;
};
CodePageParse parseCodePageFile(std::span<const std::uint8_t> bytes);

// The BIOS table a font can replace: width 8 and height 8, 14 or 16.
std::optional<FontSize> usableFontSize(const CodePageFont& font);

// The font's glyph table, 256 x height bytes.
std::span<const std::uint8_t> fontGlyphs(const CodePageFile& file, const CodePageFont& font);

// True when an entry of the file is for `codePage`.
bool holdsCodePage(const CodePageFile& file, std::uint16_t codePage);

// The usable fonts of every entry of `codePage`, in file order: what the
// preview draws and Apply copies. None for code page 0, which is what an
// item without digits gives.
struct UsableFont {
  FontSize size = Font8x8;
  std::span<const std::uint8_t> glyphs;
};
std::vector<UsableFont> usableFonts(const CodePageFile& file, std::uint16_t codePage);
FontSizeSet codePageFontSizes(const CodePageFile& file, std::uint16_t codePage);

// The Select Font list: one item per entry, the code page as decimal text,
// sorted as text the way the sorted list box keeps them ("1252" before "437").
std::vector<std::string> codePageList(const CodePageFile& file);

// The same list with the usable sizes of each item's code page (of all its
// entries), gathered once for all items rather than by a walk per item.
struct CodePageItem {
  std::string text;
  FontSizeSet sizes{};
  friend bool operator==(const CodePageItem&, const CodePageItem&) = default;
};
std::vector<CodePageItem> codePageListing(const CodePageFile& file);

// Leading decimal digits of a list item; 0 when it has none.
std::uint16_t codePageOfItem(const std::string& item);

// The Select Font preview: 256 x 512 pixels, 1 bit per pixel, bottom-up,
// with the usable 8x16, 8x14 and 8x8 fonts of every entry of `codePage`
// drawn into their bands (top rows 0, 141 and 271 counted from the top).
inline constexpr std::size_t kPreviewWidth = 256, kPreviewHeight = 512;
inline constexpr std::size_t kPreviewBytes = kPreviewWidth * kPreviewHeight / 8;
std::vector<std::uint8_t> codePagePreview(const CodePageFile& file, std::uint16_t codePage);

}  // namespace quarzel
