#include "analysis/compare/carry_over.h"

#include <algorithm>
#include <ranges>

#include "analysis/analysis_pass.h"
#include "analysis/fonts/font_edits.h"
#include "analysis/registers/register_edits.h"
#include "analysis/modes/video_modes.h"
#include "analysis/strings/string_edits.h"
#include "analysis/pci_vesa/vesa_edits.h"

namespace quarzel {

namespace {

// The group an edit of the item belongs to; empty for the items no edit writes.
std::optional<CarryGroup> groupOf(DiffItem item) {
  switch (item) {
    case DiffItem::String1:
    case DiffItem::String2:
    case DiffItem::Date: return CarryStrings;
    case DiffItem::Register: return CarryRegisters;
    case DiffItem::Font:
    case DiffItem::Fixup: return CarryFonts;
    case DiffItem::Vesa: return CarryVesa;
    case DiffItem::VideoParameterTable:
    case DiffItem::ExtendedModeTable:
    case DiffItem::Mode: return CarryModes;
    default: return std::nullopt;
  }
}

// Items outside the groups are listed only when all of them were asked: a
// narrower choice asks about those groups alone.
bool listed(const ItemRef& ref, const CarryGroups& groups) {
  const auto group = groupOf(ref.item);
  return group ? groups[*group] : std::ranges::all_of(groups, [](bool asked) { return asked; });
}

// The register's fields that take A's value to B's; none when reserved
// bits differ or are set, since a value rebuilt from fields clears them.
std::vector<RowNumber> fieldsToValue(std::size_t index, std::uint32_t a, std::uint32_t b) {
  const RegisterFields* table = registerFieldsFor(index);
  if (table == nullptr) return {};
  std::vector<RowNumber> changes;
  for (std::size_t row = 0; row < table->fields.size(); ++row) {
    const BitField& field = table->fields[row];
    if (!field.reserved && fieldValue(field, a) != fieldValue(field, b))
      changes.push_back({row, fieldValue(field, b)});
  }
  if (valueWithFields(*table, a, changes) != b) return {};
  return changes;
}

// Why an item no edit is planned for differs: the fix-up tables follow the
// fonts and the checksum the bytes; an edit made that leaves its item
// different is the last case.
CarryRefusal standingRefusal(const ItemRef& ref) {
  switch (ref.item) {
    case DiffItem::Fixup: return CarryRefusal::FollowsFonts;
    case DiffItem::Checksum: return CarryRefusal::Checksum;
    default: return groupOf(ref.item) ? CarryRefusal::StillDiffers : CarryRefusal::NoEdit;
  }
}

CarryRefusal presenceRefusal(Verdict verdict) {
  return verdict == Verdict::OnlyA ? CarryRefusal::NotInB : CarryRefusal::NotInA;
}

// Plans the edit of one text item or says why it cannot be made.
std::optional<NotCarried> planText(const ItemRef& ref, const TextDiff& diff, std::uint32_t fieldLength,
                                   std::vector<TextCarry>& edits) {
  if (diff.verdict != Verdict::Differs) return NotCarried{ref, presenceRefusal(diff.verdict)};
  if (diff.textB.size() > fieldLength) return NotCarried{ref, CarryRefusal::TooLong, diff.textB.size(), fieldLength};
  edits.push_back({ref, diff.textB});
  return std::nullopt;
}

class Planner {
 public:
  Planner(const Image& a, const Image& b, const BiosLayout& layoutA, const BiosLayout& layoutB, const BiosDiff& diff,
          const CarryOptions& options)
      : a_(a), b_(b), layoutA_(layoutA), layoutB_(layoutB), diff_(diff), options_(options) {}

  // The edit of an item that differs, or why there is none.
  std::optional<NotCarried> plan(const ItemRef& ref, CarryOver& edits) const {
    switch (ref.item) {
      case DiffItem::String1: return planText(ref, diff_.string1, layoutA_.bootString1.maxLength, edits.strings);
      case DiffItem::String2: return planText(ref, diff_.string2, layoutA_.bootString2.maxLength, edits.strings);
      case DiffItem::Date: return planText(ref, diff_.date, layoutA_.biosDate.maxLength, edits.strings);
      case DiffItem::Vesa: return planText(ref, diff_.vesa[ref.index], layoutA_.vesa[ref.index].maxLength, edits.vesa);
      case DiffItem::Register: return planRegister(ref, edits);
      case DiffItem::Font: return planFont(ref, edits);
      case DiffItem::Mode: return planRefresh(ref, edits);
      // A refresh edit writes into a table, row by row; a table one image
      // lacks no edit writes.
      case DiffItem::VideoParameterTable:
      case DiffItem::ExtendedModeTable:
        return NotCarried{ref, toldByRows(diff_, ref) ? CarryRefusal::FollowsRows : CarryRefusal::NoEdit};
      case DiffItem::Fixup:
        if (const Verdict v = diff_.fixups[ref.index].verdict; v != Verdict::Differs)
          return NotCarried{ref, presenceRefusal(v)};
        return NotCarried{ref, standingRefusal(ref)};
      default: return NotCarried{ref, standingRefusal(ref)};
    }
  }

 private:
  std::optional<NotCarried> planRegister(const ItemRef& ref, CarryOver& edits) const {
    const RegisterDiff& diff = diff_.registers[ref.index];
    if (diff.verdict != Verdict::Differs) return NotCarried{ref, presenceRefusal(diff.verdict)};
    edits.registers.push_back({ref.index, diff.valueB, fieldsToValue(ref.index, diff.valueA, diff.valueB)});
    return std::nullopt;
  }

  std::optional<NotCarried> planFont(const ItemRef& ref, CarryOver& edits) const {
    const auto size = static_cast<FontSize>(ref.index);
    if (diff_.fonts[size].verdict != Verdict::Differs)
      return NotCarried{ref, presenceRefusal(diff_.fonts[size].verdict)};
    if (!options_.fonts) return NotCarried{ref, CarryRefusal::FontsLeftOut};
    edits.fonts.push_back({size, *fontFileBytes(b_, layoutB_, size)});
    return std::nullopt;
  }

  // A row of the board's own graphics modes that B runs at a standard rate
  // A does not: that rate for the whole resolution, once.
  std::optional<NotCarried> planRefresh(const ItemRef& ref, CarryOver& edits) const {
    const ModeSource sourceB = modeSource(b_, layoutB_, ref.index);
    const auto timingB = sourceTiming(b_, layoutB_, sourceB);
    if (!sourceB.info || !timingB || sourceB.info->biosMode <= kLastVgaMode) return NotCarried{ref, CarryRefusal::NoEdit};
    const Resolution resolution{sourceB.info->width, sourceB.info->height};
    const auto rateB = standardRefresh(b_, layoutB_, resolution, *timingB);
    if (!rateB) return NotCarried{ref, CarryRefusal::NoEdit};
    const auto timingA = sourceTiming(a_, layoutA_, modeSource(a_, layoutA_, ref.index));
    if (timingA && standardRefresh(a_, layoutA_, resolution, *timingA) == rateB)
      return NotCarried{ref, CarryRefusal::NoEdit};
    if (std::ranges::none_of(edits.refreshes, [&](const RefreshCarry& r) { return r.setting.resolution == resolution; }))
      edits.refreshes.push_back({ref, {resolution, *rateB}});
    return std::nullopt;
  }

  const Image& a_;
  const Image& b_;
  const BiosLayout &layoutA_, &layoutB_;
  const BiosDiff& diff_;
  const CarryOptions& options_;
};

std::vector<ItemRef> plannedItems(const CarryOver& edits) {
  std::vector<ItemRef> items;
  for (const TextCarry& edit : edits.strings) items.push_back(edit.item);
  for (const RegisterCarry& edit : edits.registers) items.push_back({DiffItem::Register, edit.index});
  for (const TextCarry& edit : edits.vesa) items.push_back(edit.item);
  for (const RefreshCarry& edit : edits.refreshes) items.push_back(edit.item);
  for (const FontCarry& edit : edits.fonts) items.push_back({DiffItem::Font, static_cast<std::size_t>(edit.size)});
  return items;
}

}  // namespace

CarryOver carryOver(const Image& a, const BiosLayout& layoutA, const Image& b, const BiosLayout& layoutB,
                    const CarryOptions& options) {
  const BiosDiff before = diffBios(a, layoutA, b, layoutB);
  const Planner planner(a, b, layoutA, layoutB, before, options);
  CarryOver edits;
  std::vector<NotCarried> refusals;
  for (const ItemRef& ref : differences(before))
    if (listed(ref, options.groups))
      if (const auto refusal = planner.plan(ref, edits)) refusals.push_back(*refusal);

  std::vector<ItemRef> left = differences(before);
  if (const auto carried = carriedImage(a, layoutA, edits)) {
    BiosLayout layoutC;
    AnalysisPass(*carried, layoutC);
    left = differences(diffBios(*carried, layoutC, b, layoutB));
  } else {
    for (const ItemRef& ref : plannedItems(edits)) refusals.push_back({ref, CarryRefusal::NoChecksumFix});
    refusals.push_back({{DiffItem::Checksum}, CarryRefusal::NoChecksumFix});
    edits = CarryOver{};
  }
  for (const ItemRef& ref : left) {
    if (!listed(ref, options.groups)) continue;
    // The last reason given for an item is the one that holds.
    const auto known = std::find_if(refusals.rbegin(), refusals.rend(), [&](const NotCarried& r) { return r.item == ref; });
    edits.notCarried.push_back(known != refusals.rend() ? *known : NotCarried{ref, standingRefusal(ref)});
  }
  return edits;
}

std::optional<Image> carriedImage(const Image& a, const BiosLayout& layoutA, const CarryOver& edits) {
  Image image = a;
  BiosLayout layout = layoutA;
  // The order of a batch edit. Each edit was checked while planned, and an
  // item an edit did not change still differs when the copy is compared
  // with B again, so that comparison, not the edit, reports it.
  for (const TextCarry& edit : edits.strings) {
    if (edit.item.item == DiffItem::String1) ignoreRefusal(applyBootString(image, layout.bootString1, edit.text));
    if (edit.item.item == DiffItem::String2) ignoreRefusal(applyBootString(image, layout.bootString2, edit.text));
    if (edit.item.item == DiffItem::Date) ignoreRefusal(applyBiosDate(image, layout.biosDate, edit.text));
  }
  for (const RegisterCarry& edit : edits.registers) ignoreRefusal(applyRegisterValue(image, layout, edit.index, edit.value));
  for (const TextCarry& edit : edits.vesa) ignoreRefusal(applyVesaString(image, layout.vesa[edit.item.index], edit.text));
  for (const RefreshCarry& edit : edits.refreshes)
    ignoreRefusal(applyRefresh(image, layout, edit.setting.resolution, edit.setting.refresh));
  for (const FontCarry& edit : edits.fonts) ignoreRefusal(loadFontFile(image, layout, edit.size, edit.glyphs));
  if (!fixChecksum(image)) return std::nullopt;
  return image;
}

}  // namespace quarzel
