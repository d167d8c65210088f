#include "analysis/compare/mode_diff.h"

#include <array>

#include "analysis/modes/video_modes.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

// What a record holds besides the page's values: bits 6 and 7 of its flags
// and, in 6-byte records, the byte the mode set does not read.
constexpr const char* kUnshownNames[] = {"Flag bits 6..7 (not on the page)", "Byte 2 (not used by the mode set)"};

std::array<std::string, 2> unshownBytes(const Image& image, const BiosLayout& tables, const ModeSource& source) {
  const ExtendedRecordLayout* layout = extendedRecordLayout(tables.extendedRecordBytes);
  if (!source.record || !layout) return {};
  const std::size_t at = *source.record;
  return {formatText("%u", image.bytes[at + kRecordFlagsByte] >> 6u),
          layout->unused ? formatText("%02X", unsigned{image.bytes[at + *layout->unused]}) : ""};
}

// A layout that holds only the tables both images have.
BiosLayout sharedTables(const BiosLayout& layout, const BiosLayout& other) {
  BiosLayout tables;
  if (layout.videoParameterTable && other.videoParameterTable) tables.videoParameterTable = layout.videoParameterTable;
  if (layout.extendedModeTable && other.extendedModeTable) {
    tables.extendedModeTable = layout.extendedModeTable;
    tables.extendedRecordBytes = layout.extendedRecordBytes;
  }
  if (layout.modeInfoTable && other.modeInfoTable) tables.modeInfoTable = layout.modeInfoTable;
  return tables;
}

std::vector<ModeValueChange>& partFor(ModeRowDiff& diff, std::size_t group) {
  if (group < kParameterEntryGroups) return diff.entry;
  return group < kExtendedRecordGroups ? diff.record : diff.result;
}

}  // namespace

std::string ModeValueChange::name() const { return index ? group + " " + std::to_string(*index) : group; }

std::string ModeRowDiff::heading() const {
  // "Mode 120h": the word and the number, which the list's texts all start with.
  constexpr std::size_t kWord = 5, kNumberEnd = 9;
  if (headingA == headingB) return headingA;
  return headingA.substr(0, kNumberEnd) + "/" + headingB.substr(kWord, kNumberEnd - kWord) + headingA.substr(kNumberEnd);
}

std::vector<ModeRowDiff> differingModes(const Image& a, const BiosLayout& layoutA, const Image& b,
                                        const BiosLayout& layoutB) {
  const BiosLayout tablesA = sharedTables(layoutA, layoutB), tablesB = sharedTables(layoutB, layoutA);
  const std::vector<ModeSource> sourcesA = modeSources(a, tablesA), sourcesB = modeSources(b, tablesB);
  std::vector<ModeRowDiff> rows;
  for (std::size_t row = 0; row < kVideoModeCount; ++row) {
    const ModeSource& sourceA = sourcesA[row];
    const ModeSource& sourceB = sourcesB[row];
    const auto groupsA = modeValueGroups(modeFields(a, tablesA, sourceA));
    const auto groupsB = modeValueGroups(modeFields(b, tablesB, sourceB));
    ModeRowDiff diff{row, {}, {}, {}, sourceA.entry, sourceB.entry, modeHeading(sourceA, row),
                     modeHeading(sourceB, row)};
    for (std::size_t g = 0; g < groupsA.size(); ++g) {
      const ModeValueGroup& group = groupsA[g];
      for (std::size_t i = 0; i < group.texts.size(); ++i) {
        if (group.texts[i] == groupsB[g].texts[i]) continue;
        const auto index = group.texts.size() > 1 ? std::optional(group.firstIndex + i) : std::nullopt;
        partFor(diff, g).push_back({group.name, index, group.texts[i], groupsB[g].texts[i]});
      }
    }
    const auto unshownA = unshownBytes(a, tablesA, sourceA), unshownB = unshownBytes(b, tablesB, sourceB);
    for (std::size_t i = 0; i < unshownA.size(); ++i)
      // A byte only one layout has is told once, with the record sizes.
      if (!unshownA[i].empty() && !unshownB[i].empty() && unshownA[i] != unshownB[i])
        diff.record.push_back({kUnshownNames[i], std::nullopt, unshownA[i], unshownB[i]});
    if (!diff.entry.empty() || !diff.record.empty() || !diff.result.empty()) rows.push_back(std::move(diff));
  }
  return rows;
}

}  // namespace quarzel
