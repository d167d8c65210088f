#include "describe/diff_items.h"

#include <iterator>

#include "analysis/registers/registers.h"
#include "analysis/modes/video_modes.h"
#include "describe/names.h"
#include "describe/vesa_names.h"

namespace quarzel {

namespace {

const char* sizeName(std::size_t index) { return fontSizeName(static_cast<FontSize>(index)); }

struct Names {
  const char* name;  // the whole name, or what comes before the index's
  const char* key;   // before ":" and the index's key on indexed items
};
// In DiffItem order.
constexpr Names kNames[] = {
    {"Image size", "imageSize"},
    {"ROM length", "romLength"},
    {"String 1", "string1"},
    {"String 2", "string2"},
    {"BIOS date", "date"},
    {"Logo", "logo"},
    {"", "register"},
    {"Font ", "font"},
    {"Fix-up table ", "fixup"},
    {"PCIR", "pcir"},
    {"", "vesa"},
    {"Video parameter table", "videoParameterTable"},
    {"Extended mode table", "extendedModeTable"},
    {"", "mode"},
    {"Checksum byte", "checksum"},
    {"The rest", "rest"},
};
static_assert(std::size(kNames) == static_cast<std::size_t>(DiffItem::Rest) + 1);

const Names& namesOf(const ItemRef& ref) { return kNames[static_cast<std::size_t>(ref.item)]; }

}  // namespace

std::string itemName(const ItemRef& ref) {
  const std::string name = namesOf(ref).name;
  switch (ref.item) {
    case DiffItem::Register: return kRegisterNames[ref.index];
    case DiffItem::Font:
    case DiffItem::Fixup: return name + sizeName(ref.index);
    case DiffItem::Vesa: return kVesaNames[ref.index].label;
    case DiffItem::Mode: return kVideoModes[ref.index].text;
    default: return name;
  }
}

std::string itemKey(const ItemRef& ref) {
  const std::string key = namesOf(ref).key;
  switch (ref.item) {
    case DiffItem::Register: return key + ":" + kRegisterNames[ref.index];
    case DiffItem::Font:
    case DiffItem::Fixup: return key + ":" + sizeName(ref.index);
    case DiffItem::Vesa: return key + ":" + kVesaNames[ref.index].option;
    case DiffItem::Mode: return key + ":" + std::to_string(ref.index);
    default: return key;
  }
}

const char* verdictKey(Verdict verdict) {
  switch (verdict) {
    case Verdict::Same: return "same";
    case Verdict::Differs: return "differs";
    case Verdict::OnlyA: return "onlyA";
    case Verdict::OnlyB: return "onlyB";
    case Verdict::Neither: return "neither";
  }
  return "";
}

}  // namespace quarzel
