#include "analysis/compare/bios_diff.h"

#include <algorithm>

#include "analysis/compare/item_ranges.h"

namespace quarzel {

namespace {

Verdict verdictOf(bool inA, bool inB, bool same) {
  if (inA && inB) return same ? Verdict::Same : Verdict::Differs;
  return inA ? Verdict::OnlyA : inB ? Verdict::OnlyB : Verdict::Neither;
}

template <typename Item>
Item placed(Location a, Location b) {
  Item item;
  item.a = a;
  item.b = b;
  return item;
}

TextDiff textDiff(const Image& a, Location atA, const Image& b, Location atB) {
  auto diff = placed<TextDiff>(atA, atB);
  if (atA) diff.textA = a.text(*atA);
  if (atB) diff.textB = b.text(*atB);
  diff.verdict = verdictOf(atA.has_value(), atB.has_value(), diff.textA == diff.textB);
  return diff;
}

std::optional<std::uint16_t> countWord(const Image& image, const BootString& string) {
  return string.lengthWord ? image.word(*string.lengthWord) : std::nullopt;
}

TextDiff bootStringDiff(const Image& a, const BootString& stringA, const Image& b, const BootString& stringB) {
  TextDiff diff = textDiff(a, stringA.address, b, stringB.address);
  diff.countA = countWord(a, stringA);
  diff.countB = countWord(b, stringB);
  if (diff.verdict == Verdict::Same && diff.countA != diff.countB) diff.verdict = Verdict::Differs;
  return diff;
}

// The eight bytes, without the zero bytes that pad a shorter date.
std::string dateText(const Image& image, const BiosDate& date) {
  if (!date.address) return {};
  std::string text = image.text(*date.address, date.maxLength);
  text.erase(text.find_last_not_of('\0') + 1);
  return text;
}

TextDiff dateDiff(const Image& a, const BiosDate& dateA, const Image& b, const BiosDate& dateB) {
  auto diff = placed<TextDiff>(dateA.address, dateB.address);
  diff.textA = dateText(a, dateA);
  diff.textB = dateText(b, dateB);
  diff.verdict = verdictOf(diff.a.has_value(), diff.b.has_value(), diff.textA == diff.textB);
  return diff;
}

RegisterDiff registerDiff(const BiosLayout& layoutA, const BiosLayout& layoutB, std::size_t index) {
  const RegisterEntry &entryA = layoutA.registerTable[index], &entryB = layoutB.registerTable[index];
  auto diff = placed<RegisterDiff>(entryA.location, entryB.location);
  diff.valueA = entryA.value;
  diff.valueB = entryB.value;
  diff.verdict = verdictOf(diff.a.has_value(), diff.b.has_value(), diff.valueA == diff.valueB);
  if (diff.verdict == Verdict::Differs) diff.fields = changedFields(index, diff.valueA, diff.valueB);
  return diff;
}

// The locator takes a font only when its whole table lies in the image.
FontDiff fontDiff(const Image& a, const BiosLayout& layoutA, const Image& b, const BiosLayout& layoutB, FontSize size) {
  auto diff = placed<FontDiff>(layoutA.fonts[size], layoutB.fonts[size]);
  if (diff.a && diff.b) diff.glyphs = differingGlyphs(a, *diff.a, b, *diff.b, size);
  diff.verdict = verdictOf(diff.a.has_value(), diff.b.has_value(), diff.glyphs.empty());
  return diff;
}

FixupDiff fixupDiff(const Image& a, const BiosLayout& layoutA, const Image& b, const BiosLayout& layoutB,
                    FontSize size) {
  const FixupTable &tableA = layoutA.fixups[size], &tableB = layoutB.fixups[size];
  auto diff = placed<FixupDiff>(tableA.location, tableB.location);
  diff.sizeA = tableA.size;
  diff.sizeB = tableB.size;
  if (diff.a && diff.b) diff.changes = compareFixups(a, diff.a, b, diff.b, size);
  diff.verdict = verdictOf(diff.a.has_value(), diff.b.has_value(), !diff.changes.entriesDiffer);
  return diff;
}

PcirDiff pcirDiff(const Image& a, Location atA, const Image& b, Location atB) {
  auto diff = placed<PcirDiff>(atA, atB);
  if (atA) diff.fieldsA = readPcirFields(a, *atA);
  if (atB) diff.fieldsB = readPcirFields(b, *atB);
  if (atA && atB)
    for (std::size_t row = 0; row < kPcirFieldRows.size(); ++row)
      if (pcirRowText(diff.fieldsA, kPcirFieldRows[row]) != pcirRowText(diff.fieldsB, kPcirFieldRows[row]))
        diff.rows.push_back(row);
  diff.verdict = verdictOf(atA.has_value(), atB.has_value(), diff.rows.empty());
  return diff;
}

ItemPlaces tablePlaces(Location a, Location b) { return {a, b, verdictOf(a.has_value(), b.has_value(), true)}; }

ChecksumByte checksumByte(const Image& image) {
  ChecksumByte byte{checksumOffset(image), 0, checksumOk(image)};
  if (byte.offset) byte.value = image.bytes[*byte.offset];
  return byte;
}

ChecksumDiff checksumDiff(const Image& a, const Image& b) {
  ChecksumDiff diff{checksumByte(a), checksumByte(b)};
  diff.verdict = verdictOf(diff.a.offset.has_value(), diff.b.offset.has_value(),
                           diff.a.offset == diff.b.offset && diff.a.value == diff.b.value);
  return diff;
}

using ByteSet = std::bitset<kImageCapacity>;

// The bytes of every item, and those of the items reported as differing:
// only these account for the bytes that differ under them. An item the same
// in both images but kept elsewhere in each (the date of A and a second date
// of B, say) explains nothing at A's place, where B's bytes may differ.
void markItems(const Image& image, const BiosLayout& layout, const std::vector<ItemRef>& reported, ByteSet& inItems,
               ByteSet& explained) {
  for (const auto& [item, range] : itemRanges(image, layout)) {
    const bool differs = std::find(reported.begin(), reported.end(), item) != reported.end();
    for (std::size_t i = range.offset; i < range.offset + range.length; ++i) {
      inItems.set(i);
      if (differs) explained.set(i);
    }
  }
}

// Past the end of the smaller image only one image has bytes: each counts.
std::vector<ByteRange> restRuns(const Image& a, const Image& b, const ByteSet& explained) {
  const std::size_t shared = std::min(a.size, b.size), end = std::max(a.size, b.size);
  std::vector<ByteRange> runs;
  for (std::size_t i = 0; i < end; ++i) {
    if (explained[i] || (i < shared && a.bytes[i] == b.bytes[i])) continue;
    if (!runs.empty() && runs.back().offset + runs.back().length == i)
      ++runs.back().length;
    else
      runs.push_back({i, 1});
  }
  return runs;
}

LogoDiff logoDiff(const Image& a, const BiosLayout& layoutA, const Image& b, const BiosLayout& layoutB) {
  LogoDiff diff;
  if (layoutA.logo) diff.blockA = layoutA.logo->block;
  if (layoutB.logo) diff.blockB = layoutB.logo->block;
  if (diff.blockA) diff.a = static_cast<Offset>(diff.blockA->base);
  if (diff.blockB) diff.b = static_cast<Offset>(diff.blockB->base);
  if (diff.blockA && diff.blockB) {
    diff.pictureDiffers = blockPicture(a, *diff.blockA).rows != blockPicture(b, *diff.blockB).rows ||
                          diff.blockA->width != diff.blockB->width;
    for (std::size_t k = 0; k < kLogoLines; ++k)
      if (diff.blockA->lines[k] != diff.blockB->lines[k]) diff.lines.push_back(k);
  }
  diff.verdict = verdictOf(diff.a.has_value(), diff.b.has_value(), !diff.pictureDiffers && diff.lines.empty());
  return diff;
}

}  // namespace

BiosDiff diffBios(const Image& a, const BiosLayout& layoutA, const Image& b, const BiosLayout& layoutB) {
  BiosDiff diff;
  diff.sizeA = a.size;
  diff.sizeB = b.size;
  diff.romLengthA = romLength(a);
  diff.romLengthB = romLength(b);
  diff.string1 = bootStringDiff(a, layoutA.bootString1, b, layoutB.bootString1);
  diff.string2 = bootStringDiff(a, layoutA.bootString2, b, layoutB.bootString2);
  diff.date = dateDiff(a, layoutA.biosDate, b, layoutB.biosDate);
  diff.logo = logoDiff(a, layoutA, b, layoutB);
  for (std::size_t i = 0; i < kRegisterCount; ++i) diff.registers[i] = registerDiff(layoutA, layoutB, i);
  for (const FontSize size : kFontSizes) {
    diff.fonts[size] = fontDiff(a, layoutA, b, layoutB, size);
    diff.fixups[size] = fixupDiff(a, layoutA, b, layoutB, size);
  }
  diff.pcir = pcirDiff(a, layoutA.pcir, b, layoutB.pcir);
  for (std::size_t i = 0; i < kVesaStringCount; ++i)
    diff.vesa[i] = textDiff(a, layoutA.vesa[i].address, b, layoutB.vesa[i].address);
  diff.videoParameterTable = tablePlaces(layoutA.videoParameterTable, layoutB.videoParameterTable);
  diff.extendedModeTable = tablePlaces(layoutA.extendedModeTable, layoutB.extendedModeTable);
  diff.extendedRecordBytesA = layoutA.extendedRecordBytes;
  diff.extendedRecordBytesB = layoutB.extendedRecordBytes;
  diff.modes = differingModes(a, layoutA, b, layoutB);
  diff.checksum = checksumDiff(a, b);
  const std::vector<ItemRef> reported = differences(diff);
  ByteSet explained;
  markItems(a, layoutA, reported, diff.inItems, explained);
  markItems(b, layoutB, reported, diff.inItems, explained);
  diff.rest = restRuns(a, b, explained);
  diff.identical = a.size == b.size &&
                   std::equal(a.bytes.begin(), a.bytes.begin() + static_cast<std::ptrdiff_t>(a.size), b.bytes.begin());
  return diff;
}

bool toldByRows(const BiosDiff& diff, const ItemRef& ref) {
  const bool entries = ref.item == DiffItem::VideoParameterTable;
  if (!entries && ref.item != DiffItem::ExtendedModeTable) return false;
  return (entries ? diff.videoParameterTable : diff.extendedModeTable).verdict == Verdict::Same;
}

Verdict tableVerdict(const BiosDiff& diff, DiffItem table) {
  const bool entries = table == DiffItem::VideoParameterTable;
  const ItemPlaces& places = entries ? diff.videoParameterTable : diff.extendedModeTable;
  const bool valuesDiffer = std::ranges::any_of(
      diff.modes, [&](const ModeRowDiff& row) { return !(entries ? row.entry : row.record).empty(); });
  return places.verdict == Verdict::Same && valuesDiffer ? Verdict::Differs : places.verdict;
}

std::vector<ItemRef> differences(const BiosDiff& diff) {
  std::vector<ItemRef> items;
  const auto add = [&](Verdict verdict, DiffItem item, std::size_t index = 0) {
    if (verdict != Verdict::Same && verdict != Verdict::Neither) items.push_back({item, index});
  };
  if (diff.sizeA != diff.sizeB) items.push_back({DiffItem::ImageSize});
  if (diff.romLengthA != diff.romLengthB) items.push_back({DiffItem::RomLength});
  add(diff.string1.verdict, DiffItem::String1);
  add(diff.string2.verdict, DiffItem::String2);
  add(diff.date.verdict, DiffItem::Date);
  add(diff.logo.verdict, DiffItem::Logo);
  for (std::size_t i = 0; i < kRegisterCount; ++i) add(diff.registers[i].verdict, DiffItem::Register, i);
  for (const FontSize size : kFontSizes) add(diff.fonts[size].verdict, DiffItem::Font, size);
  for (const FontSize size : kFontSizes) add(diff.fixups[size].verdict, DiffItem::Fixup, size);
  add(diff.pcir.verdict, DiffItem::Pcir);
  for (std::size_t i = 0; i < kVesaStringCount; ++i) add(diff.vesa[i].verdict, DiffItem::Vesa, i);
  add(tableVerdict(diff, DiffItem::VideoParameterTable), DiffItem::VideoParameterTable);
  add(tableVerdict(diff, DiffItem::ExtendedModeTable), DiffItem::ExtendedModeTable);
  for (const ModeRowDiff& row : diff.modes) items.push_back({DiffItem::Mode, row.row});
  add(diff.checksum.verdict, DiffItem::Checksum);
  if (!diff.rest.empty()) items.push_back({DiffItem::Rest});
  return items;
}

std::vector<RestRegion> restRegions(const BiosDiff& diff, std::size_t gap) {
  const auto itemBetween = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      if (diff.inItems[i]) return true;
    return false;
  };
  std::vector<RestRegion> regions;
  for (const ByteRange& run : diff.rest) {
    if (!regions.empty()) {
      RestRegion& last = regions.back();
      const std::size_t end = last.offset + last.length;
      if (run.offset - end < gap && !itemBetween(end, run.offset)) {
        last.length = run.offset + run.length - last.offset;
        last.differing += run.length;
        continue;
      }
    }
    regions.push_back({run.offset, run.length, run.length});
  }
  return regions;
}

}  // namespace quarzel
