#include "formats/code_page_file.h"

#include <algorithm>
#include <map>

namespace quarzel {

namespace {

constexpr std::uint8_t kSignature[] = {0xFF, 'F', 'O', 'N', 'T'};

// The font information header is taken to sit right after the file header,
// whatever its pointer says; entries and fonts follow one another.
constexpr std::size_t kEntryCountAt = 23;
constexpr std::size_t kFirstEntry = 25;
constexpr std::size_t kEntryHeaderBytes = 34;
constexpr std::size_t kEntryCodePage = 16, kEntryFontCount = 30, kEntryDataSize = 32;
constexpr std::size_t kFontHeaderBytes = 6;

// Top pixel row of each preview band, counted from the top, by FontSize.
constexpr std::size_t kBandTop[] = {271, 141, 0};
constexpr std::size_t kGlyphsPerRow = 32;
constexpr std::size_t kPreviewRowBytes = kPreviewWidth / 8;

std::uint16_t wordAt(std::span<const std::uint8_t> bytes, std::size_t pos) {
  return static_cast<std::uint16_t>(bytes[pos] | bytes[pos + 1] << 8);
}

// True when [pos, pos + length) lies within a file of `size` bytes.
bool within(std::size_t pos, std::size_t length, std::size_t size) {
  return pos <= size && length <= size - pos;
}

void drawFont(std::vector<std::uint8_t>& preview, std::span<const std::uint8_t> glyphs, FontSize size) {
  const std::size_t height = fontHeight(size);
  for (std::size_t code = 0; code < 256; ++code) {
    const std::size_t top = kBandTop[size] + height * (code / kGlyphsPerRow);
    for (std::size_t row = 0; row < height; ++row) {
      // Stored bottom-up: the bitmap's first row is the picture's last.
      const std::size_t bitmapRow = kPreviewHeight - 1 - (top + row);
      preview[bitmapRow * kPreviewRowBytes + code % kGlyphsPerRow] = glyphs[code * height + row];
    }
  }
}

}  // namespace

CodePageParse parseCodePageFile(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFirstEntry || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin())) {
    return {std::nullopt, EditError::NotCodePageFile};
  }
  CodePageFile file;
  std::size_t entryAt = kFirstEntry;
  for (std::size_t count = wordAt(bytes, kEntryCountAt); count > 0; --count) {
    if (!within(entryAt, kEntryHeaderBytes, bytes.size())) return {std::nullopt, EditError::CodePageTruncated};
    // The data size, not the fonts walked, says where the next entry starts;
    // a file that ends before it is cut short, even when the fonts are whole.
    const std::size_t dataAt = entryAt + kEntryHeaderBytes;
    const std::size_t dataSize = wordAt(bytes, entryAt + kEntryDataSize);
    if (!within(dataAt, dataSize, bytes.size())) return {std::nullopt, EditError::CodePageTruncated};
    CodePageEntry entry{wordAt(bytes, entryAt + kEntryCodePage), {}};
    std::size_t fontAt = dataAt;
    for (std::size_t fonts = wordAt(bytes, entryAt + kEntryFontCount); fonts > 0; --fonts) {
      // Fonts outside the data would lie over the entries that follow.
      if (!within(fontAt, kFontHeaderBytes, dataAt + dataSize)) return {std::nullopt, EditError::CodePageFontsOverrun};
      const CodePageFont font{bytes[fontAt], bytes[fontAt + 1], fontAt + kFontHeaderBytes};
      const std::size_t glyphBytes = std::size_t{256} * font.height;
      if (!within(font.glyphs, glyphBytes, dataAt + dataSize))
        return {std::nullopt, EditError::CodePageFontsOverrun};
      entry.fonts.push_back(font);
      fontAt = font.glyphs + glyphBytes;
    }
    entryAt = dataAt + dataSize;
    file.entries.push_back(std::move(entry));
  }
  file.bytes.assign(bytes.begin(), bytes.end());
  return {std::move(file), std::nullopt};
}

std::optional<FontSize> usableFontSize(const CodePageFont& font) {
  if (font.width != 8) return std::nullopt;
  switch (font.height) {
    case 8: return Font8x8;
    case 14: return Font8x14;
    case 16: return Font8x16;
    default: return std::nullopt;
  }
}

std::span<const std::uint8_t> fontGlyphs(const CodePageFile& file, const CodePageFont& font) {
  return std::span<const std::uint8_t>(file.bytes).subspan(font.glyphs, std::size_t{256} * font.height);
}

bool holdsCodePage(const CodePageFile& file, std::uint16_t codePage) {
  return std::ranges::any_of(file.entries, [&](const CodePageEntry& entry) { return entry.codePage == codePage; });
}

std::vector<UsableFont> usableFonts(const CodePageFile& file, std::uint16_t codePage) {
  std::vector<UsableFont> fonts;
  if (codePage == 0) return fonts;
  for (const CodePageEntry& entry : file.entries) {
    if (entry.codePage != codePage) continue;
    for (const CodePageFont& font : entry.fonts)
      if (const auto size = usableFontSize(font)) fonts.push_back({*size, fontGlyphs(file, font)});
  }
  return fonts;
}

FontSizeSet codePageFontSizes(const CodePageFile& file, std::uint16_t codePage) {
  FontSizeSet sizes{};
  for (const UsableFont& font : usableFonts(file, codePage)) sizes[font.size] = true;
  return sizes;
}

std::vector<std::string> codePageList(const CodePageFile& file) {
  std::vector<std::string> items;
  for (const CodePageEntry& entry : file.entries) items.push_back(std::to_string(entry.codePage));
  std::sort(items.begin(), items.end());
  return items;
}

std::vector<CodePageItem> codePageListing(const CodePageFile& file) {
  // Many entries may share one code page: their sizes are gathered in one
  // walk rather than a walk per item.
  std::map<std::uint16_t, FontSizeSet> sizes;
  for (const CodePageEntry& entry : file.entries) {
    FontSizeSet& set = sizes[entry.codePage];
    if (entry.codePage == 0) continue;  // as usableFonts: nothing to draw or copy
    for (const CodePageFont& font : entry.fonts)
      if (const auto size = usableFontSize(font)) set[*size] = true;
  }
  std::vector<CodePageItem> items;
  for (std::string& text : codePageList(file)) {
    const FontSizeSet set = sizes[codePageOfItem(text)];
    items.push_back({std::move(text), set});
  }
  return items;
}

std::uint16_t codePageOfItem(const std::string& item) {
  std::size_t value = 0;
  for (const char c : item) {
    if (c < '0' || c > '9') break;
    value = std::min<std::size_t>(value * 10 + static_cast<std::size_t>(c - '0'), 0xFFFF);
  }
  return static_cast<std::uint16_t>(value);
}

std::vector<std::uint8_t> codePagePreview(const CodePageFile& file, std::uint16_t codePage) {
  std::vector<std::uint8_t> preview(kPreviewBytes, 0);
  for (const UsableFont& font : usableFonts(file, codePage)) drawFont(preview, font.glyphs, font.size);
  return preview;
}

}  // namespace quarzel
