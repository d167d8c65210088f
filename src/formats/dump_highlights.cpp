#include "formats/dump_highlights.h"

#include <algorithm>

#include "formats/dump_listing.h"

namespace quarzel {

namespace {

constexpr std::int32_t kLine = static_cast<std::int32_t>(kDumpLineLength);
constexpr std::int32_t kHexStart = 6;    // after "%04X: "
constexpr std::int32_t kCharStart = 56;  // after the hex part

// Start of the hex pair of column d: one extra blank after the first eight.
std::int32_t pairStart(std::int32_t line, std::int32_t column) {
  return kLine * line + kHexStart + 3 * column + (column >= 8 ? 1 : 0);
}

std::int32_t charStart(std::int32_t line, std::int32_t column) { return kLine * line + kCharStart + column; }

void addChangedRuns(const Image& image, const Image& backup, std::vector<Highlight>& list) {
  const std::size_t size = image.end();
  std::size_t p = 0;
  while (p < size) {
    if (image.bytes[p] == backup.bytes[p]) {
      ++p;
      continue;
    }
    const std::size_t first = p;
    do ++p;
    while (p < size && p % 16 != 0 && image.bytes[p] != backup.bytes[p]);
    const auto line = static_cast<std::int32_t>(first / 16);
    const auto column = static_cast<std::int32_t>(first % 16);
    const auto count = static_cast<std::int32_t>(p - first);
    const bool crossesMiddle = column < 8 && column + count > 8;
    const std::int32_t hex = pairStart(line, column);
    list.push_back({hex, hex + 3 * count + (crossesMiddle ? 1 : 0), Mark::Changed});
    list.push_back({charStart(line, column), charStart(line, column) + count, Mark::Changed});
  }
}

// Whole lines inside the range get one triple from the first hex digit to
// the end of the characters; the range's last line, and lines it covers
// only in part, get a pair of segment triples.
void addShownRange(std::int64_t first, std::int64_t last, std::vector<Highlight>& list) {
  std::int64_t p = first;
  while (p <= last) {
    const auto line = static_cast<std::int32_t>(p / 16);
    const auto column = static_cast<std::int32_t>(p % 16);
    if (column == 0 && p + 16 <= last) {
      const std::int32_t start = kLine * line + kHexStart;
      list.push_back({start, start + 66, Mark::Shown});
      p += 16;
      continue;
    }
    const std::int64_t segmentEnd = std::min(last, std::int64_t{line} * 16 + 15);
    const auto endColumn = static_cast<std::int32_t>(segmentEnd % 16);
    list.push_back({pairStart(line, column), pairStart(line, endColumn) + 2, Mark::Shown});
    list.push_back({charStart(line, column), charStart(line, endColumn) + 1, Mark::Shown});
    p = segmentEnd + 1;
  }
}

}  // namespace

std::vector<Highlight> dumpHighlights(const Image& image, const Image& backup, std::int32_t offset,
                                      std::int32_t length) {
  std::vector<Highlight> list;
  addChangedRuns(image, backup, list);
  if (offset > 0 && length > 0) {
    // The range is cut at the end of the listing: there is no text to colour past it.
    const auto listed = static_cast<std::int64_t>((image.end() + 15) / 16 * 16);
    const std::int64_t last = std::min(std::int64_t{offset} + length, listed) - 1;
    addShownRange(offset, last, list);
  }
  return list;
}

}  // namespace quarzel
