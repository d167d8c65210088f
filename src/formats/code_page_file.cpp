#include "formats/code_page_file.h"

#include <algorithm>

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

// A number whose order is the order of the code pages' decimal texts: each
// of the five digit places holds digit + 1, or 0 past the last digit, so that
// a text comes before the longer ones it begins.
std::uint32_t textOrderKey(std::uint16_t codePage) {
  std::uint32_t digits[5];  // the last digit first
  std::size_t count = 0;
  for (std::uint32_t n = codePage; count == 0 || n > 0; n /= 10) digits[count++] = n % 10;
  std::uint32_t key = 0;
  for (std::size_t place = 0; place < 5; ++place) key = key * 11 + (place < count ? digits[count - 1 - place] + 1 : 0);
  return key;
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
    const std::size_t fontCount = wordAt(bytes, entryAt + kEntryFontCount);
    entry.fonts.reserve(std::min(fontCount, dataSize / kFontHeaderBytes));
    for (std::size_t fonts = fontCount; fonts > 0; --fonts) {
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
  items.reserve(file.entries.size());
  for (CodePageItem& item : codePageListing(file)) items.push_back(std::move(item.text));
  return items;
}

std::vector<CodePageItem> codePageListing(const CodePageFile& file) {
  // The entries in text order of their code pages, sorted by number keys
  // rather than by texts; each run of one code page then shares the usable
  // sizes of all its entries, gathered in the same walk.
  std::vector<std::pair<std::uint32_t, const CodePageEntry*>> order;
  order.reserve(file.entries.size());
  for (const CodePageEntry& entry : file.entries) order.emplace_back(textOrderKey(entry.codePage), &entry);
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<CodePageItem> items;
  items.reserve(order.size());
  for (std::size_t run = 0, end = 0; run < order.size(); run = end) {
    const std::uint16_t codePage = order[run].second->codePage;
    FontSizeSet sizes{};
    for (end = run; end < order.size() && order[end].first == order[run].first; ++end)
      if (codePage != 0)  // as usableFonts: nothing to draw or copy
        for (const CodePageFont& font : order[end].second->fonts)
          if (const auto size = usableFontSize(font)) sizes[*size] = true;
    items.insert(items.end(), end - run, CodePageItem{std::to_string(codePage), sizes});
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
