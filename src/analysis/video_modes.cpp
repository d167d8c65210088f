#include "analysis/video_modes.h"

#include "formats/text_format.h"

namespace quarzel {

// The list box rows in the order the page shows them. Several colour depths
// of one resolution share a VGA parameter entry and differ only in their
// extended record.
const std::array<VideoMode, kVideoModeCount> kVideoModes{{
    {"Mode 00h   - 40x25 Color Text (8x8 Font)", 0, 0},
    {"Mode 01h   - 40x25 Color Text (8x8 Font)", 1, 1},
    {"Mode 0*    - 40x25 Color Text (8x14 Font)", 19, 19},
    {"Mode 1*    - 40x25 Color Text (8x14 Font)", 20, 20},
    {"Mode 0+/1+ - 40x25 Color Text (8x16 Font)", 23, 23},
    {"Mode 02h   - 80x25 Color Text (8x8 Font)", 2, 2},
    {"Mode 03h   - 80x25 Color Text (8x8 Font)", 3, 3},
    {"Mode 07h   - 80x25 Mono Text (8x14 Font)", 7, 7},
    {"Mode 2*    - 80x25 Color Text (8x14 Font)", 21, 21},
    {"Mode 3*    - 80x25 Color Text (8x14 Font)", 22, 22},
    {"Mode 2+/3+ - 80x25 Color Text (8x16 Font)", 24, 24},
    {"Mode 7+    - 80x25 Mono Text (8x16 Font)", 25, 25},
    {"Mode 108h  - 80x60 Color Text (8x8 Font)", 16, 16},
    {"Mode 109h  - 132x25 Color Text (8x16 font)", 29, 29},
    {"Mode 10Ah  - 132x43 Color Text (8x8 font)", 30, 30},
    {"Mode 10Bh  - 132x50 Color Text (8x8 font)", 31, 31},
    {"Mode 10Ch  - 132x60 Color Text (8x8 font)", 32, 32},
    {"Mode 04h   - 320x200 4-color CGA (8x8 Font)", 4, 4},
    {"Mode 05h   - 320x200 4-color CGA (8x8 Font)", 5, 5},
    {"Mode 0Dh   - 320x200 16-color planar (8x8 Font)", 13, 13},
    {"Mode 13h   - 320x200 256-color VGA (8x8 Font)", 28, 28},
    {"Mode 180h  - 320x200 8 bpp (8x8 Font)", 33, 33},
    {"Mode 10Eh  - 320x200 16 bpp (8x8 Font)", 33, 37},
    {"Mode 10Fh  - 320x200 24 bpp (8x8 Font)", 33, 38},
    {"Mode 181h  - 320x240 8 bpp (8x8 Font)", 34, 34},
    {"Mode 182h  - 320x240 16 bpp (8x8 Font)", 34, 39},
    {"Mode 183h  - 320x240 24 bpp (8x8 Font)", 34, 40},
    {"Mode 184h  - 400x300 8 bpp (8x8 Font)", 35, 35},
    {"Mode 185h  - 400x300 16 bpp (8x8 Font)", 35, 41},
    {"Mode 186h  - 400x300 24 bpp (8x8 Font)", 35, 42},
    {"Mode 187h  - 512x384 8 bpp (8x14 Font)", 36, 36},
    {"Mode 188h  - 512x384 16 bpp (8x14 Font)", 36, 43},
    {"Mode 189h  - 512x384 24 bpp (8x14 Font)", 36, 44},
    {"Mode 06h   - 640x200 2-color CGA (8x8 Font)", 6, 6},
    {"Mode 0Eh   - 640x200 16-color planar (8x8 Font)", 14, 14},
    {"Mode 0Fh   - 640x350 2-color (8x14 Font)", 17, 17},
    {"Mode 10h   - 640x350 16-color (8x14 Font)", 18, 18},
    {"Mode 100h  - 640x400 8 bpp (8x16 Font)", 8, 8},
    {"Mode 18Ah  - 640x400 16 bpp (8x16 Font)", 8, 45},
    {"Mode 18Bh  - 640x400 24 bpp (8x16 Font)", 8, 46},
    {"Mode 11h   - 640x480 2-color planar (8x16 Font)", 26, 26},
    {"Mode 12h   - 640x480 16-color planar (8x16 Font)", 27, 27},
    {"Mode 101h  - 640x480 8 bpp (8x16 Font)", 9, 9},
    {"Mode 111h  - 640x480 16 bpp (8x16 Font)", 9, 47},
    {"Mode 112h  - 640x480 24 bpp (8x16 Font)", 9, 48},
    {"Mode 102h  - 800x600 16-color (8x16 Font)", 10, 10},
    {"Mode 103h  - 800x600 8 bpp (8x16 Font)", 11, 11},
    {"Mode 114h  - 800x600 16 bpp (8x16 Font)", 11, 49},
    {"Mode 115h  - 800x600 24 bpp (8x16 Font)", 11, 50},
    {"Mode 105h  - 1024x768 8 bpp (8x16 Font)", 15, 15},
    {"Mode 117h  - 1024x768 16 bpp (8x16 Font)", 15, 51},
    {"Mode 118h  - 1024x768 24 bpp (8x16 Font)", 15, 52},
    {"Mode 107h  - 1280x1024 8 bpp (8x16 Font)", 12, 12},
    {"Mode 11Ah  - 1280x1024 16 bpp (8x16 Font)", 12, 53},
    {"Mode 11Bh  - 1280x1024 24 bpp (8x16 Font)", 12, 54},
}};

namespace {

// The parameter entry: columns, rows - 1, character height, the regen
// length word, then the sequencer, misc output, CRTC, attribute and graphics
// controller registers back to back.
constexpr std::size_t kRegenLengthByte = 3;
constexpr std::size_t kFirstRegisterByte = 5;
static_assert(kFirstRegisterByte + std::tuple_size_v<decltype(ModeFields::sequencer)> + 1 +
                  std::tuple_size_v<decltype(ModeFields::crtc)> + std::tuple_size_v<decltype(ModeFields::attribute)> +
                  std::tuple_size_v<decltype(ModeFields::graphics)> ==
              kParameterEntryBytes);

template <std::size_t N>
std::size_t showBytes(const Image& image, std::size_t at, std::array<std::string, N>& texts) {
  for (std::string& text : texts) text = formatText("%02X", unsigned{image.bytes[at++]});
  return at;
}

// The caller has checked that the entry lies in the buffer; bytes past the
// image read as its zero fill.
void showParameterEntry(const Image& image, std::size_t entry, ModeFields& fields) {
  fields.columns = formatText("%u", unsigned{image.bytes[entry]});
  fields.rowsMinus1 = formatText("%u", unsigned{image.bytes[entry + 1]});
  fields.charHeight = formatText("%u", unsigned{image.bytes[entry + 2]});
  fields.regenLength = formatText("%04X", unsigned{*image.word(entry + kRegenLengthByte)});
  std::size_t at = showBytes(image, entry + kFirstRegisterByte, fields.sequencer);
  fields.miscOutput = formatText("%02X", unsigned{image.bytes[at++]});
  at = showBytes(image, at, fields.crtc);
  at = showBytes(image, at, fields.attribute);
  showBytes(image, at, fields.graphics);
}

// Extended record: flags with the pixel format in bits 3 to 5, CRTC 1Bh,
// the parameter-table index and the clock word. Likewise checked.
void showExtendedRecord(const Image& image, std::size_t record, ModeFields& fields) {
  const unsigned flags = image.bytes[record];
  fields.nativeMode = (flags & 0x01) != 0;
  fields.interlace = (flags & 0x02) != 0;
  fields.nativeDoubleScan = (flags & 0x04) != 0;
  fields.pixelFormat = formatText("%02X", (flags >> 3) & 7);
  fields.crtc1B = formatText("%02X", unsigned{image.bytes[record + 1]});
  fields.parameterIndex = formatText("%02X", unsigned{image.bytes[record + 2]});
  fields.clock = formatText("%04X", unsigned{*image.word(record + 3)});
}

template <std::size_t N>
std::vector<std::string> listed(const std::array<std::string, N>& texts) {
  return {texts.begin(), texts.end()};
}

std::vector<std::string> checkBox(bool checked) { return {checked ? "yes" : "no"}; }

}  // namespace

std::string ModeValueGroup::label() const { return range ? formatText("%s (%s)", name, range) : name; }

std::vector<ModeValueGroup> modeValueGroups(const ModeFields& f) {
  // The sequencer's edits show its registers 1 to 4; register 0 is the
  // reset, which the table does not hold.
  return {
      {"Column", nullptr, "D", 0, {f.columns}},
      {"Rows-1", nullptr, "D", 0, {f.rowsMinus1}},
      {"Char height", nullptr, "D", 0, {f.charHeight}},
      {"Regen length", nullptr, "H", 0, {f.regenLength}},
      {"Sequencer", nullptr, nullptr, 1, listed(f.sequencer)},
      {"Misc.output", nullptr, nullptr, 0, {f.miscOutput}},
      {"CRTC", "0-24", nullptr, 0, listed(f.crtc)},
      {"Attribute controller", "0-19", nullptr, 0, listed(f.attribute)},
      {"Graphics data controller", "0-9", nullptr, 0, listed(f.graphics)},
      {"Native mode (non VGA)", nullptr, nullptr, 0, checkBox(f.nativeMode)},
      {"Interlace", nullptr, nullptr, 0, checkBox(f.interlace)},
      {"Native mode double scan", nullptr, nullptr, 0, checkBox(f.nativeDoubleScan)},
      {"Desktop pixel format", nullptr, nullptr, 0, {f.pixelFormat}},
      {"CRTC [1B]", nullptr, nullptr, 0, {f.crtc1B}},
      {"Index of parameter table", nullptr, nullptr, 0, {f.parameterIndex}},
      {"Clock", nullptr, nullptr, 0, {f.clock}},
  };
}

std::optional<std::size_t> parameterEntryAt(const BiosLayout& layout, std::size_t row) {
  if (row >= kVideoModeCount || !layout.videoParameterTable) return std::nullopt;
  const std::size_t entry = *layout.videoParameterTable + kParameterEntryBytes * kVideoModes[row].parameterEntry;
  return Image::fits(entry, kParameterEntryBytes) ? std::optional(entry) : std::nullopt;
}

std::optional<std::size_t> extendedRecordAt(const BiosLayout& layout, std::size_t row) {
  if (row >= kVideoModeCount || !layout.extendedModeTable) return std::nullopt;
  const std::size_t record = *layout.extendedModeTable + kExtendedRecordBytes * kVideoModes[row].extendedRecord;
  return Image::fits(record, kExtendedRecordBytes) ? std::optional(record) : std::nullopt;
}

ModeFields showSelectedMode(const Image& image, const BiosLayout& layout, std::size_t row) {
  ModeFields fields;
  if (const auto entry = parameterEntryAt(layout, row)) showParameterEntry(image, *entry, fields);
  if (const auto record = extendedRecordAt(layout, row)) showExtendedRecord(image, *record, fields);
  return fields;
}

}  // namespace quarzel
