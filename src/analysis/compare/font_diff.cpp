#include "analysis/compare/font_diff.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "analysis/fonts/fixup_table.h"

namespace quarzel {

namespace {

std::span<const std::uint8_t> rowsAt(const Image& image, std::size_t offset, std::size_t height) {
  return std::span(image.bytes).subspan(offset, height);
}

// Each code's first entry, as the BIOS finds it walking the table.
using FirstEntries = std::array<std::optional<std::size_t>, 256>;

FirstEntries firstEntries(const Image& image, const std::vector<std::size_t>& entries) {
  FirstEntries first{};
  for (const std::size_t entry : entries)
    if (!first[image.bytes[entry]]) first[image.bytes[entry]] = entry;
  return first;
}

}  // namespace

std::vector<std::uint8_t> differingGlyphs(const Image& a, std::size_t fontA, const Image& b, std::size_t fontB,
                                          FontSize size) {
  const std::size_t height = fontHeight(size);
  std::vector<std::uint8_t> codes;
  for (std::size_t code = 0; code < 256; ++code)
    if (!std::ranges::equal(rowsAt(a, fontA + code * height, height), rowsAt(b, fontB + code * height, height)))
      codes.push_back(static_cast<std::uint8_t>(code));
  return codes;
}

FixupChanges compareFixups(const Image& a, Location tableA, const Image& b, Location tableB, FontSize size) {
  const std::vector<std::size_t> entriesA = fixupEntries(a, tableA, size).entries;
  const std::vector<std::size_t> entriesB = fixupEntries(b, tableB, size).entries;
  const std::size_t entryBytes = fixupEntryBytes(size), height = fontHeight(size);
  FixupChanges changes;
  changes.entriesDiffer = entriesA.size() != entriesB.size();
  for (std::size_t i = 0; i < entriesA.size() && !changes.entriesDiffer; ++i)
    changes.entriesDiffer = !std::ranges::equal(rowsAt(a, entriesA[i], entryBytes), rowsAt(b, entriesB[i], entryBytes));
  if (!changes.entriesDiffer) return changes;

  const FirstEntries firstA = firstEntries(a, entriesA), firstB = firstEntries(b, entriesB);
  for (std::size_t code = 1; code < 256; ++code) {
    const auto c = static_cast<std::uint8_t>(code);
    if (firstA[code] && !firstB[code])
      changes.onlyA.push_back(c);
    else if (!firstA[code] && firstB[code])
      changes.onlyB.push_back(c);
    else if (firstA[code] &&
             !std::ranges::equal(rowsAt(a, *firstA[code] + 1, height), rowsAt(b, *firstB[code] + 1, height)))
      changes.glyphs.push_back(c);
  }
  return changes;
}

}  // namespace quarzel
