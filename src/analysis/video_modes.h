// The 55 video modes of the Video Modes page and the values the page shows
// for one of them: its VGA video parameter table entry and its extended
// mode record.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "analysis/bios_layout.h"

namespace quarzel {

struct VideoMode {
  const char* text;  // the list box row
  std::size_t parameterEntry;
  std::size_t extendedRecord;
};

inline constexpr std::size_t kVideoModeCount = 55;
extern const std::array<VideoMode, kVideoModeCount> kVideoModes;

inline constexpr std::size_t kParameterEntryBytes = 64;
inline constexpr std::size_t kExtendedRecordBytes = 5;

// What the page's value controls show for one mode. Each text is indexed by
// its control id: entry byte k goes to control 1089 + k, the first three as
// decimals, the regen length (1093) as "%04X", the others "%02X".
struct ModeFields {
  static constexpr int kFirstControl = 1090;
  static constexpr int kLastControl = 1159;
  std::array<std::string, kLastControl - kFirstControl + 1> texts;
  bool nativeMode = false;        // 1153
  bool interlace = false;         // 1154
  bool nativeDoubleScan = false;  // 1155

  const std::string& text(int controlId) const { return texts[static_cast<std::size_t>(controlId - kFirstControl)]; }
};

// The fields for row `row` of kVideoModes. An entry or record that is not
// located or would pass the end of the image buffer leaves its fields empty
// and the check boxes clear.
ModeFields showSelectedMode(const Image& image, const BiosLayout& layout, std::size_t row);

}  // namespace quarzel
