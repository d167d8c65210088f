#include "analysis/item_ranges.h"

#include <algorithm>

#include "analysis/fixup_table.h"
#include "analysis/pcir_locator.h"
#include "analysis/video_modes.h"

namespace quarzel {

namespace {

constexpr std::size_t kRegisterBytes = 4;  // each value is a 32-bit constant
constexpr std::size_t kCountWordBytes = 2;

// [offset, offset + length) cut at the end of the buffer.
void addRange(std::vector<ByteRange>& ranges, std::optional<std::size_t> offset, std::size_t length) {
  if (!offset || *offset >= kImageCapacity) return;
  ranges.push_back({*offset, std::min(length, kImageCapacity - *offset)});
}

void addText(std::vector<ByteRange>& ranges, const Image& image, Location address) {
  if (address) ranges.push_back(textRange(image, *address));
}

void addBootString(std::vector<ByteRange>& ranges, const Image& image, const BootString& string) {
  addText(ranges, image, string.address);
  addRange(ranges, string.lengthWord, kCountWordBytes);
}

void addFixups(std::vector<ByteRange>& ranges, const Image& image, const BiosLayout& layout) {
  for (const FontSize size : kFontSizes) {
    const Location table = layout.fixups[size].location;
    if (!table) continue;
    const FixupEntries walk = fixupEntries(image, table, size);
    addRange(ranges, *table, walk.end - *table + (walk.terminated ? 1 : 0));
  }
}

void addModes(std::vector<ByteRange>& ranges, const BiosLayout& layout) {
  for (std::size_t row = 0; row < kVideoModeCount; ++row) {
    addRange(ranges, parameterEntryAt(layout, row), kParameterEntryBytes);
    addRange(ranges, extendedRecordAt(layout, row), kExtendedRecordBytes);
  }
}

}  // namespace

ByteRange textRange(const Image& image, Offset address) {
  return {address, std::min(image.textLength(address) + 1, kImageCapacity - address)};
}

std::optional<std::size_t> checksumOffset(const Image& image) {
  const std::size_t length = romLength(image);
  if (length == 0 || length > image.size) return std::nullopt;
  return length - 1;
}

std::vector<ByteRange> itemRanges(const Image& image, const BiosLayout& layout) {
  std::vector<ByteRange> ranges;
  addBootString(ranges, image, layout.bootString1);
  addBootString(ranges, image, layout.bootString2);
  addRange(ranges, layout.biosDate.address, layout.biosDate.maxLength);
  for (const RegisterEntry& entry : layout.registerTable) addRange(ranges, entry.location, kRegisterBytes);
  for (const FontSize size : kFontSizes) addRange(ranges, layout.fonts[size], fontTableBytes(size));
  addFixups(ranges, image, layout);
  addRange(ranges, layout.pcir, kPcirShownLength);
  for (const VesaString& string : layout.vesa) addText(ranges, image, string.address);
  addModes(ranges, layout);
  addRange(ranges, checksumOffset(image), 1);
  return ranges;
}

}  // namespace quarzel
