#include "analysis/pointer_directory.h"

#include "analysis/fonts/fixup_table.h"
#include "analysis/modes/parameter_entry.h"
#include "analysis/strings/boot_string.h"
#include "formats/font_table.h"

namespace quarzel {

namespace {

Location itself(const Image&, Offset entry) { return entry; }
// The save pointer table's first far pointer: the video parameter table.
Location firstPointer(const Image& image, Offset entry) { return parameterTableThrough(image, entry); }

template <FontSize size>
void takeFont(const Image& image, BiosLayout& layout, Offset item) {
  if (fontTableFits(item, size, image.size)) layout.fonts[size] = item;
}

template <FontSize size>
void takeFixup(const Image& image, BiosLayout& layout, Offset item) {
  if (item >= image.size) return;
  layout.fixups[size] = {item, fixupEntries(image, item, size).bytes(item)};
}

// String 2 with its count word before it; with no code that prints it known,
// its text may not grow.
void takeString2(const Image& image, BiosLayout& layout, Offset item) {
  constexpr std::size_t kCountBytes = 2;
  if (item + kCountBytes >= image.size) return;
  BootString& string = layout.bootString2;
  recordBootString(image, string, static_cast<Offset>(item + kCountBytes), std::nullopt);
  string.lengthWord = item;
}

void takeParameterTable(const Image&, BiosLayout& layout, Offset item) { layout.videoParameterTable = item; }

}  // namespace

const std::array<DirectoryEntryRule, kDirectoryEntries> kDirectoryRules{{
    {"OEM register defaults (PCIInit0)", "oemRegisters",
     [](const BiosLayout& l) { return l.registerTable[PCIInit0].location; }, itself, nullptr},
    {"Video parameter table (through VideoOverrideTable)", "videoParameterTable",
     [](const BiosLayout& l) { return l.videoParameterTable; }, firstPointer, takeParameterTable},
    {"Font 8x8", "font8x8", [](const BiosLayout& l) { return l.fonts[Font8x8]; }, itself, takeFont<Font8x8>},
    {"Font 8x14", "font8x14", [](const BiosLayout& l) { return l.fonts[Font8x14]; }, itself, takeFont<Font8x14>},
    {"Font 8x16", "font8x16", [](const BiosLayout& l) { return l.fonts[Font8x16]; }, itself, takeFont<Font8x16>},
    {"Fix-up table 8x14", "fixup8x14", [](const BiosLayout& l) { return l.fixups[Font8x14].location; }, itself,
     takeFixup<Font8x14>},
    {"Fix-up table 8x16", "fixup8x16", [](const BiosLayout& l) { return l.fixups[Font8x16].location; }, itself,
     takeFixup<Font8x16>},
    {"String 2's count word", "string2CountWord", [](const BiosLayout& l) { return l.bootString2.lengthWord; },
     itself, takeString2},
}};

void locatePointerDirectory(const Image& image, BiosLayout& layout) {
  const auto directory = readPointerDirectory(image);
  if (!directory) return;
  layout.pointerDirectory = directory->at;
  for (std::size_t i = 0; i < kDirectoryEntries; ++i) {
    const DirectoryEntryRule& rule = kDirectoryRules[i];
    if (rule.located(layout) || !rule.take) continue;
    if (const auto item = rule.pointsAt(image, directory->entries[i])) {
      rule.take(image, layout, *item);
      layout.fromDirectory[i] = rule.located(layout).has_value();
    }
  }
}

std::optional<std::array<DirectoryCheck, kDirectoryEntries>> directoryChecks(const Image& image,
                                                                            const BiosLayout& layout) {
  const auto directory = readPointerDirectory(image);
  if (!directory) return std::nullopt;
  std::array<DirectoryCheck, kDirectoryEntries> checks{};
  for (std::size_t i = 0; i < kDirectoryEntries; ++i) {
    DirectoryCheck& check = checks[i];
    check.directory = kDirectoryRules[i].pointsAt(image, directory->entries[i]);
    check.located = kDirectoryRules[i].located(layout);
    if (layout.fromDirectory[i]) check.witness = Witness::Taken;
    else if (!check.located) check.witness = Witness::Missing;
    else check.witness = check.located == check.directory ? Witness::Agrees : Witness::Differs;
  }
  return checks;
}

}  // namespace quarzel
