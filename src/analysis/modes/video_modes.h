// The 55 video modes of the Video Modes page and what the BIOS programs for
// each: the entry of the VGA video parameter table and the extended record
// that its own mode table names, and the timing they make.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "analysis/modes/extended_record.h"
#include "analysis/modes/mode_info_table.h"
#include "analysis/modes/mode_timing.h"
#include "analysis/modes/parameter_entry.h"

namespace quarzel {

struct VideoMode {
  const char* text;  // the list box row
  // The entry and record of the reference builds, which stand where the
  // image has no mode information table.
  std::size_t parameterEntry;
  std::size_t extendedRecord;
  // The mode the row names: a BIOS mode number up to 13h, else a VESA number;
  // and its geometry as the BIOS's table gives it (text modes in characters),
  // which finds the mode where a build numbers it otherwise.
  std::uint16_t number;
  std::uint16_t width, height;
  std::uint8_t bitsPerPixel;
};

inline constexpr std::size_t kVideoModeCount = 55;
extern const std::array<VideoMode, kVideoModeCount> kVideoModes;

// Where the BIOS takes a row's values from. With a mode information table:
// the row's mode in it, the record it names and the entry the mode set picks;
// without one, the list's own numbers.
struct ModeSource {
  std::optional<ModeInfo> info;
  bool defined = true;  // false: the BIOS's table has no such mode
  std::size_t entryNumber = 0, recordNumber = 0;
  // Offsets, empty when a table is not located or the entry or record would
  // pass the end of the image.
  std::optional<std::size_t> entry, record;
};
ModeSource modeSource(const Image& image, const BiosLayout& layout, std::size_t row);
// All rows with one walk of the mode information table.
std::vector<ModeSource> modeSources(const Image& image, const BiosLayout& layout);

// For a mode of the BIOS's own table: the offset of its extended record, and
// the numbers of every parameter entry the mode set may program for it (the
// text modes 0 to 3 and 7 have one for each scan-line setting).
std::optional<std::size_t> modeRecordAt(const Image& image, const BiosLayout& layout, const ModeInfo& info);
std::vector<std::size_t> modeEntries(const Image& image, const BiosLayout& layout, const ModeInfo& info);
// The offset of parameter entry `number`; empty where it would not lie
// wholly inside the image.
std::optional<std::size_t> parameterEntryAt(const Image& image, const BiosLayout& layout, std::size_t number);
// The modes of the BIOS's own table; empty without one.
std::vector<ModeInfo> biosModes(const Image& image, const BiosLayout& layout);

// What the page shows for one mode. From the parameter entry: its first
// three bytes as decimals, the regen length word as "%04X", then the VGA
// register groups, each byte "%02X". From the extended record: three flags
// and four values. Then what the BIOS makes of them: the mode's numbers,
// record and entry, and its timing.
struct ModeFields {
  std::string columns, rowsMinus1, charHeight, regenLength;
  std::array<std::string, kSequencerRegisters> sequencer;
  std::string miscOutput;
  std::array<std::string, kCrtcRegisters> crtc;
  std::array<std::string, kAttributeRegisters> attribute;
  std::array<std::string, kGraphicsRegisters> graphics;

  bool nativeMode = false;
  bool interlace = false;
  bool nativeDoubleScan = false;
  std::string pixelFormat, crtc1B, parameterIndex, clock;

  std::string thisBios, record, parameterEntry;
  std::string pixelClock, total, display, lineRate, refresh;
};

// The row's heading with the mode's number in this BIOS: the list's text,
// whose VESA number gives way to the one the BIOS's table gives the mode
// ("Mode 120h  - 320x200 8 bpp" where the list says 180h).
std::string modeHeading(const ModeSource& source, std::size_t row);
// The headings of all rows.
std::vector<std::string> modeHeadings(const Image& image, const BiosLayout& layout);

// The fields for row `row` of kVideoModes. What is not located, passes the
// end of the image or is not defined by this BIOS stays empty, the check
// boxes clear.
ModeFields showSelectedMode(const Image& image, const BiosLayout& layout, std::size_t row);
ModeFields modeFields(const Image& image, const BiosLayout& layout, const ModeSource& source);

// The timing of a located entry with its record, if any.
std::optional<ModeTiming> sourceTiming(const Image& image, const BiosLayout& layout, const ModeSource& source);

// The page's texts of a timing: "65.0045 MHz", "1344x806", "1024x768",
// "48.37 kHz", "60.01 Hz"; a rate without a known clock is empty.
std::string lineRateText(const ModeTiming& timing);
std::string refreshText(const ModeTiming& timing);

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
// The groups up to kParameterEntryGroups come from the parameter entry, those
// up to kExtendedRecordGroups from the extended record, the rest are what the
// BIOS makes of both.
inline constexpr std::size_t kParameterEntryGroups = 9;
inline constexpr std::size_t kExtendedRecordGroups = 16;

}  // namespace quarzel
