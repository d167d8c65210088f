// The 55 video modes of the Video Modes page and the values the page shows
// for one of them: its VGA video parameter table entry and its extended
// mode record.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

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

// What the page shows for one mode. From the parameter entry: its first
// three bytes as decimals, the regen length word as "%04X", then the VGA
// register groups, each byte "%02X". From the extended record: three flags
// and four values.
struct ModeFields {
  std::string columns, rowsMinus1, charHeight, regenLength;
  std::array<std::string, 4> sequencer;
  std::string miscOutput;
  std::array<std::string, 25> crtc;
  std::array<std::string, 20> attribute;
  std::array<std::string, 9> graphics;

  bool nativeMode = false;
  bool interlace = false;
  bool nativeDoubleScan = false;
  std::string pixelFormat, crtc1B, parameterIndex, clock;
};

// Where the parameter entry and the extended record of row `row` lie:
// empty when the table is not located or the entry would pass the end of
// the image buffer.
std::optional<std::size_t> parameterEntryAt(const BiosLayout& layout, std::size_t row);
std::optional<std::size_t> extendedRecordAt(const BiosLayout& layout, std::size_t row);

// The fields for row `row` of kVideoModes. An entry or record that is not
// located or would pass the end of the image buffer leaves its fields empty
// and the check boxes clear.
ModeFields showSelectedMode(const Image& image, const BiosLayout& layout, std::size_t row);

// The page's values of a mode in the order of its labels, one group a label:
// "CRTC (0-24)" holds 25 values, "Column" one. Check boxes read "yes" or
// "no".
struct ModeValueGroup {
  const char* name;        // "CRTC"
  const char* range;       // what the label adds in brackets ("0-24"), or nullptr
  const char* unit;        // "D" or "H" beside the field, or nullptr
  std::size_t firstIndex;  // the number of the group's first register
  std::vector<std::string> texts;

  // "CRTC (0-24)", as the page labels the group.
  std::string label() const;
};
std::vector<ModeValueGroup> modeValueGroups(const ModeFields& fields);
// The groups up to here come from the parameter entry, the rest from the
// extended record.
inline constexpr std::size_t kParameterEntryGroups = 9;

}  // namespace quarzel
