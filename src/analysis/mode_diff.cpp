#include "analysis/mode_diff.h"

#include "analysis/video_modes.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

// Bits 6 and 7 of an extended record's flags byte, which the page leaves out.
std::string unshownFlags(const Image& image, const BiosLayout& tables, std::size_t row) {
  const auto record = extendedRecordAt(tables, row);
  return record ? formatText("%u", image.bytes[*record] >> 6u) : std::string();
}

}  // namespace

std::string ModeValueChange::name() const { return index ? group + " " + std::to_string(*index) : group; }

std::vector<ModeRowDiff> differingModes(const Image& a, const BiosLayout& layoutA, const Image& b,
                                        const BiosLayout& layoutB) {
  // Layouts that hold only the tables both images have.
  BiosLayout tablesA, tablesB;
  if (layoutA.videoParameterTable && layoutB.videoParameterTable) {
    tablesA.videoParameterTable = layoutA.videoParameterTable;
    tablesB.videoParameterTable = layoutB.videoParameterTable;
  }
  if (layoutA.extendedModeTable && layoutB.extendedModeTable) {
    tablesA.extendedModeTable = layoutA.extendedModeTable;
    tablesB.extendedModeTable = layoutB.extendedModeTable;
  }
  std::vector<ModeRowDiff> rows;
  for (std::size_t row = 0; row < kVideoModeCount; ++row) {
    const auto groupsA = modeValueGroups(showSelectedMode(a, tablesA, row));
    const auto groupsB = modeValueGroups(showSelectedMode(b, tablesB, row));
    ModeRowDiff diff{row, {}, {}};
    for (std::size_t g = 0; g < groupsA.size(); ++g) {
      const ModeValueGroup& group = groupsA[g];
      for (std::size_t i = 0; i < group.texts.size(); ++i) {
        if (group.texts[i] == groupsB[g].texts[i]) continue;
        const auto index = group.texts.size() > 1 ? std::optional(group.firstIndex + i) : std::nullopt;
        (g < kParameterEntryGroups ? diff.entry : diff.record)
            .push_back({group.name, index, group.texts[i], groupsB[g].texts[i]});
      }
    }
    const std::string flagsA = unshownFlags(a, tablesA, row), flagsB = unshownFlags(b, tablesB, row);
    if (flagsA != flagsB) diff.record.push_back({"Flag bits 6..7 (not on the page)", std::nullopt, flagsA, flagsB});
    if (!diff.entry.empty() || !diff.record.empty()) rows.push_back(std::move(diff));
  }
  return rows;
}

}  // namespace quarzel
