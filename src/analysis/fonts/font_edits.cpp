#include "analysis/fonts/font_edits.h"

#include <algorithm>
#include <array>
#include <utility>

#include "analysis/fonts/fixup_table.h"
#include "formats/font_file.h"

namespace quarzel {

namespace {

// A font can be read or replaced only when its whole table lies in the image.
std::optional<std::size_t> usableTable(const Image& image, const BiosLayout& layout, FontSize size) {
  const Location font = layout.fonts[size];
  if (!font || !fontTableFits(*font, size, image.end())) return std::nullopt;
  return *font;
}

ByteRange writeTable(Image& image, std::size_t table, std::span<const std::uint8_t> glyphs) {
  std::copy(glyphs.begin(), glyphs.end(), image.bytes.begin() + static_cast<std::ptrdiff_t>(table));
  return {table, glyphs.size()};
}

// One fix-up table: each entry gets the font's glyph for its code. Rows
// written never change a code byte, so the entries can be walked first.
std::optional<ByteRange> syncFixupTable(Image& image, Location table, std::size_t font, FontSize size) {
  const FixupEntries walk = fixupEntries(image, table, size);
  if (walk.entries.empty()) return std::nullopt;
  const std::size_t height = fontHeight(size);
  for (const std::size_t entry : walk.entries) {
    const auto glyph = image.bytes.begin() + static_cast<std::ptrdiff_t>(font + height * image.bytes[entry]);
    // A table placed inside its own font may overlap the glyph it takes.
    std::array<std::uint8_t, 16> rows{};
    std::copy_n(glyph, height, rows.begin());
    std::copy_n(rows.begin(), height, image.bytes.begin() + static_cast<std::ptrdiff_t>(entry + 1));
  }
  return ByteRange{*table, walk.end - *table};
}

}  // namespace

EditResult loadFontFile(Image& image, const BiosLayout& layout, FontSize selected,
                        std::span<const std::uint8_t> file) {
  const auto size = fontSizeOfFileLength(file.size());
  if (!size) return EditResult::failed(EditError::FontFileLength);
  if (*size != selected) return EditResult::failed(EditError::FontSizeMismatch);
  const auto table = usableTable(image, layout, selected);
  if (!table) return EditResult::failed(EditError::NotLocated);

  EditResult result;
  result.written.push_back(writeTable(image, *table, file));
  const EditResult synced = syncFixupTables(image, layout);
  result.written.insert(result.written.end(), synced.written.begin(), synced.written.end());
  return result;
}

std::optional<std::vector<std::uint8_t>> fontFileBytes(const Image& image, const BiosLayout& layout,
                                                       FontSize size) {
  const auto table = usableTable(image, layout, size);
  if (!table) return std::nullopt;
  const auto begin = image.bytes.begin() + static_cast<std::ptrdiff_t>(*table);
  return std::vector<std::uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(fontTableBytes(size)));
}

EditResult syncFixupTables(Image& image, const BiosLayout& layout) {
  EditResult result;
  for (const FontSize size : kFontSizes) {
    const auto font = usableTable(image, layout, size);
    if (!font) continue;
    if (const auto range = syncFixupTable(image, layout.fixups[size].location, *font, size))
      result.written.push_back(*range);
  }
  return result;
}

FontSizeSet locatedFontSizes(const Image& image, const BiosLayout& layout) {
  FontSizeSet located{};
  for (const FontSize size : kFontSizes) located[size] = usableTable(image, layout, size).has_value();
  return located;
}

std::optional<CodePageRefusal> codePageImportRefusal(const Image& image, const BiosLayout& layout,
                                                     const CodePageFile& file, std::uint16_t codePage,
                                                     FontSizeSet asked) {
  if (!holdsCodePage(file, codePage)) return CodePageRefusal{CodePageRefusal::NoCodePage, Font8x8};
  const FontSizeSet inFile = codePageFontSizes(file, codePage), located = locatedFontSizes(image, layout);
  for (const FontSize size : kFontSizes) {
    if (!asked[size]) continue;
    if (!inFile[size]) return CodePageRefusal{CodePageRefusal::NoFontInFile, size};
    if (!located[size]) return CodePageRefusal{CodePageRefusal::FontNotLocated, size};
  }
  return std::nullopt;
}

EditResult copyCodePageFonts(Image& image, const BiosLayout& layout, const CodePageFile& file,
                             std::uint16_t codePage, FontSizeSet ticked) {
  EditResult result;
  const FontSizeSet located = locatedFontSizes(image, layout);
  for (const UsableFont& font : usableFonts(file, codePage)) {
    if (ticked[font.size] && located[font.size])
      result.written.push_back(writeTable(image, *layout.fonts[font.size], font.glyphs));
  }
  return result;
}

}  // namespace quarzel
