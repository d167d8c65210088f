#include "analysis/compare/item_ranges.h"

#include <algorithm>

#include "analysis/fonts/fixup_table.h"
#include "analysis/pci_vesa/pcir_locator.h"
#include "analysis/modes/video_modes.h"

namespace quarzel {

namespace {

constexpr std::size_t kCountWordBytes = 2;

// [offset, offset + length) cut at the end of the buffer.
using Ranges = std::vector<ItemBytes>;

void addRange(Ranges& ranges, ItemRef item, std::optional<std::size_t> offset, std::size_t length) {
  if (!offset || *offset >= kImageCapacity) return;
  ranges.push_back({item, {*offset, std::min(length, kImageCapacity - *offset)}});
}

void addText(Ranges& ranges, ItemRef item, const Image& image, Location address) {
  if (address) ranges.push_back({item, textRange(image, *address)});
}

void addBootString(Ranges& ranges, DiffItem item, const Image& image, const BootString& string) {
  addText(ranges, {item}, image, string.address);
  addRange(ranges, {item}, string.lengthWord, kCountWordBytes);
}

void addFixups(Ranges& ranges, const Image& image, const BiosLayout& layout) {
  for (const FontSize size : kFontSizes) {
    const Location table = layout.fixups[size].location;
    if (!table) continue;
    const FixupEntries walk = fixupEntries(image, table, size);
    addRange(ranges, {DiffItem::Fixup, static_cast<std::size_t>(size)}, *table, walk.bytes(*table));
  }
}

void addModes(Ranges& ranges, const Image& image, const BiosLayout& layout) {
  const std::vector<ModeSource> sources = modeSources(image, layout);
  for (std::size_t row = 0; row < kVideoModeCount; ++row) {
    addRange(ranges, {DiffItem::Mode, row}, sources[row].entry, kParameterEntryBytes);
    addRange(ranges, {DiffItem::Mode, row}, sources[row].record, layout.extendedRecordBytes);
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

std::vector<ItemBytes> itemRanges(const Image& image, const BiosLayout& layout) {
  Ranges ranges;
  addBootString(ranges, DiffItem::String1, image, layout.bootString1);
  addBootString(ranges, DiffItem::String2, image, layout.bootString2);
  addRange(ranges, {DiffItem::Date}, layout.biosDate.address, layout.biosDate.maxLength);
  if (layout.logo) {
    addRange(ranges, {DiffItem::Logo}, layout.logo->call, kCallPatchBytes);
    addRange(ranges, {DiffItem::Logo}, layout.logo->block.base, layout.logo->block.size);
  }
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    addRange(ranges, {DiffItem::Register, i}, layout.registerTable[i].location, kRegisterBytes);
  for (const FontSize size : kFontSizes)
    addRange(ranges, {DiffItem::Font, static_cast<std::size_t>(size)}, layout.fonts[size], fontTableBytes(size));
  addFixups(ranges, image, layout);
  addRange(ranges, {DiffItem::Pcir}, layout.pcir, kPcirShownLength);
  for (std::size_t i = 0; i < kVesaStringCount; ++i) addText(ranges, {DiffItem::Vesa, i}, image, layout.vesa[i].address);
  addModes(ranges, image, layout);
  addRange(ranges, {DiffItem::Checksum}, checksumOffset(image), 1);
  return ranges;
}

}  // namespace quarzel
