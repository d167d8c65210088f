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

// The fields for row `row` of kVideoModes. An entry or record that is not
// located or would pass the end of the image buffer leaves its fields empty
// and the check boxes clear.
ModeFields showSelectedMode(const Image& image, const BiosLayout& layout, std::size_t row);

}  // namespace quarzel
