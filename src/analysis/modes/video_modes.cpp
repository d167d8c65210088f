#include "analysis/modes/video_modes.h"

#include <algorithm>

#include "analysis/registers/registers.h"
#include "formats/text_format.h"

namespace quarzel {

// The list box rows in the order the page shows them. Several colour depths
// of one resolution share a VGA parameter entry and differ only in their
// extended record.
const std::array<VideoMode, kVideoModeCount> kVideoModes{{
    {"Mode 00h   - 40x25 Color Text (8x8 Font)", 0, 0, 0x00, 40, 25, 4},
    {"Mode 01h   - 40x25 Color Text (8x8 Font)", 1, 1, 0x01, 40, 25, 4},
    {"Mode 0*    - 40x25 Color Text (8x14 Font)", 19, 19, 0x00, 40, 25, 4},
    {"Mode 1*    - 40x25 Color Text (8x14 Font)", 20, 20, 0x01, 40, 25, 4},
    {"Mode 0+/1+ - 40x25 Color Text (8x16 Font)", 23, 23, 0x00, 40, 25, 4},
    {"Mode 02h   - 80x25 Color Text (8x8 Font)", 2, 2, 0x02, 80, 25, 4},
    {"Mode 03h   - 80x25 Color Text (8x8 Font)", 3, 3, 0x03, 80, 25, 4},
    {"Mode 07h   - 80x25 Mono Text (8x14 Font)", 7, 7, 0x07, 80, 25, 0},
    {"Mode 2*    - 80x25 Color Text (8x14 Font)", 21, 21, 0x02, 80, 25, 4},
    {"Mode 3*    - 80x25 Color Text (8x14 Font)", 22, 22, 0x03, 80, 25, 4},
    {"Mode 2+/3+ - 80x25 Color Text (8x16 Font)", 24, 24, 0x02, 80, 25, 4},
    {"Mode 7+    - 80x25 Mono Text (8x16 Font)", 25, 25, 0x07, 80, 25, 0},
    {"Mode 108h  - 80x60 Color Text (8x8 Font)", 16, 16, 0x108, 80, 60, 4},
    {"Mode 109h  - 132x25 Color Text (8x16 font)", 29, 29, 0x109, 132, 25, 4},
    {"Mode 10Ah  - 132x43 Color Text (8x8 font)", 30, 30, 0x10A, 132, 43, 4},
    {"Mode 10Bh  - 132x50 Color Text (8x8 font)", 31, 31, 0x10B, 132, 50, 4},
    {"Mode 10Ch  - 132x60 Color Text (8x8 font)", 32, 32, 0x10C, 132, 60, 4},
    {"Mode 04h   - 320x200 4-color CGA (8x8 Font)", 4, 4, 0x04, 320, 200, 2},
    {"Mode 05h   - 320x200 4-color CGA (8x8 Font)", 5, 5, 0x05, 320, 200, 2},
    {"Mode 0Dh   - 320x200 16-color planar (8x8 Font)", 13, 13, 0x0D, 320, 200, 4},
    {"Mode 13h   - 320x200 256-color VGA (8x8 Font)", 28, 28, 0x13, 320, 200, 8},
    {"Mode 180h  - 320x200 8 bpp (8x8 Font)", 33, 33, 0x180, 320, 200, 8},
    {"Mode 10Eh  - 320x200 16 bpp (8x8 Font)", 33, 37, 0x10E, 320, 200, 16},
    {"Mode 10Fh  - 320x200 24 bpp (8x8 Font)", 33, 38, 0x10F, 320, 200, 24},
    {"Mode 181h  - 320x240 8 bpp (8x8 Font)", 34, 34, 0x181, 320, 240, 8},
    {"Mode 182h  - 320x240 16 bpp (8x8 Font)", 34, 39, 0x182, 320, 240, 16},
    {"Mode 183h  - 320x240 24 bpp (8x8 Font)", 34, 40, 0x183, 320, 240, 24},
    {"Mode 184h  - 400x300 8 bpp (8x8 Font)", 35, 35, 0x184, 400, 300, 8},
    {"Mode 185h  - 400x300 16 bpp (8x8 Font)", 35, 41, 0x185, 400, 300, 16},
    {"Mode 186h  - 400x300 24 bpp (8x8 Font)", 35, 42, 0x186, 400, 300, 24},
    {"Mode 187h  - 512x384 8 bpp (8x14 Font)", 36, 36, 0x187, 512, 384, 8},
    {"Mode 188h  - 512x384 16 bpp (8x14 Font)", 36, 43, 0x188, 512, 384, 16},
    {"Mode 189h  - 512x384 24 bpp (8x14 Font)", 36, 44, 0x189, 512, 384, 24},
    {"Mode 06h   - 640x200 2-color CGA (8x8 Font)", 6, 6, 0x06, 640, 200, 1},
    {"Mode 0Eh   - 640x200 16-color planar (8x8 Font)", 14, 14, 0x0E, 640, 200, 4},
    {"Mode 0Fh   - 640x350 2-color (8x14 Font)", 17, 17, 0x0F, 640, 350, 1},
    {"Mode 10h   - 640x350 16-color (8x14 Font)", 18, 18, 0x10, 640, 350, 4},
    {"Mode 100h  - 640x400 8 bpp (8x16 Font)", 8, 8, 0x100, 640, 400, 8},
    {"Mode 18Ah  - 640x400 16 bpp (8x16 Font)", 8, 45, 0x18A, 640, 400, 16},
    {"Mode 18Bh  - 640x400 24 bpp (8x16 Font)", 8, 46, 0x18B, 640, 400, 24},
    {"Mode 11h   - 640x480 2-color planar (8x16 Font)", 26, 26, 0x11, 640, 480, 1},
    {"Mode 12h   - 640x480 16-color planar (8x16 Font)", 27, 27, 0x12, 640, 480, 4},
    {"Mode 101h  - 640x480 8 bpp (8x16 Font)", 9, 9, 0x101, 640, 480, 8},
    {"Mode 111h  - 640x480 16 bpp (8x16 Font)", 9, 47, 0x111, 640, 480, 16},
    {"Mode 112h  - 640x480 24 bpp (8x16 Font)", 9, 48, 0x112, 640, 480, 24},
    {"Mode 102h  - 800x600 16-color (8x16 Font)", 10, 10, 0x102, 800, 600, 4},
    {"Mode 103h  - 800x600 8 bpp (8x16 Font)", 11, 11, 0x103, 800, 600, 8},
    {"Mode 114h  - 800x600 16 bpp (8x16 Font)", 11, 49, 0x114, 800, 600, 16},
    {"Mode 115h  - 800x600 24 bpp (8x16 Font)", 11, 50, 0x115, 800, 600, 24},
    {"Mode 105h  - 1024x768 8 bpp (8x16 Font)", 15, 15, 0x105, 1024, 768, 8},
    {"Mode 117h  - 1024x768 16 bpp (8x16 Font)", 15, 51, 0x117, 1024, 768, 16},
    {"Mode 118h  - 1024x768 24 bpp (8x16 Font)", 15, 52, 0x118, 1024, 768, 24},
    {"Mode 107h  - 1280x1024 8 bpp (8x16 Font)", 12, 12, 0x107, 1280, 1024, 8},
    {"Mode 11Ah  - 1280x1024 16 bpp (8x16 Font)", 12, 53, 0x11A, 1280, 1024, 16},
    {"Mode 11Bh  - 1280x1024 24 bpp (8x16 Font)", 12, 54, 0x11B, 1280, 1024, 24},
}};

namespace {

// Modes 0 to 7 take one of fixed parameter entries by the scan-line setting.
constexpr std::size_t kLastScanLineMode = 7;

// The mode as the BIOS's FindModeData (VGA modes) or FindVESAModeData finds
// it; a VESA mode the build numbers otherwise by its geometry among the
// board's own modes.
std::optional<ModeInfo> findMode(const std::vector<ModeInfo>& modes, const VideoMode& row) {
  const auto first = [&](auto matches) -> std::optional<ModeInfo> {
    const auto found = std::ranges::find_if(modes, matches);
    return found != modes.end() ? std::optional(*found) : std::nullopt;
  };
  if (row.number <= kLastVgaMode) return first([&](const ModeInfo& m) { return m.biosMode == row.number; });
  if (auto same = first([&](const ModeInfo& m) { return m.vesaMode == row.number; })) return same;
  return first([&](const ModeInfo& m) {
    return m.biosMode > kLastVgaMode && m.width == row.width && m.height == row.height &&
           m.bitsPerPixel == row.bitsPerPixel;
  });
}

// An entry or record is used only where it lies wholly inside the image:
// past its end the card holds other bytes than the file's.
std::optional<std::size_t> tableItem(const Image& image, const Location& table, std::size_t number, std::size_t size) {
  if (!table) return std::nullopt;
  const std::size_t at = *table + size * number;
  return image.holds(at, size) ? std::optional(at) : std::nullopt;
}

// Records of a size whose layout is not known are not read at all.
std::optional<std::size_t> recordAt(const Image& image, const BiosLayout& layout, std::size_t number) {
  if (!extendedRecordLayout(layout.extendedRecordBytes)) return std::nullopt;
  return tableItem(image, layout.extendedModeTable, number, layout.extendedRecordBytes);
}

std::optional<ExtendedRecord> sourceRecord(const Image& image, const BiosLayout& layout, const ModeSource& source) {
  return source.record ? readExtendedRecord(image, *source.record, layout.extendedRecordBytes) : std::nullopt;
}

// The entry the mode set picks (35A7h in Agp_sg.rom): for modes 0 to 7 the
// row names the scan-line variant it shows.
std::size_t entryNumber(const Image& image, const BiosLayout& layout, const ModeInfo& info, const VideoMode& row) {
  return info.biosMode <= kLastScanLineMode ? row.parameterEntry : modeEntries(image, layout, info).front();
}

ModeSource sourceOf(const Image& image, const BiosLayout& layout, const std::vector<ModeInfo>& modes,
                    std::size_t row) {
  ModeSource source;
  if (row >= kVideoModeCount) {
    source.defined = false;
    return source;
  }
  const VideoMode& mode = kVideoModes[row];
  source.entryNumber = mode.parameterEntry;
  source.recordNumber = mode.extendedRecord;
  if (layout.modeInfoTable) {
    source.info = findMode(modes, mode);
    source.defined = source.info.has_value();
    if (!source.defined) return source;
    source.recordNumber = source.info->record;
  }
  source.record = recordAt(image, layout, source.recordNumber);
  if (source.info) source.entryNumber = entryNumber(image, layout, *source.info, mode);
  source.entry = parameterEntryAt(image, layout, source.entryNumber);
  return source;
}

template <std::size_t N>
void showBytes(const Image& image, std::size_t at, std::array<std::string, N>& texts) {
  for (std::string& text : texts) text = formatText("%02X", unsigned{image.bytes[at++]});
}

// The caller has checked that the entry lies in the image.
void showParameterEntry(const Image& image, std::size_t entry, ModeFields& fields) {
  const auto byte = [&](std::size_t i) { return unsigned{image.bytes[entry + i]}; };
  fields.columns = formatText("%u", byte(entry_byte::kColumns));
  fields.rowsMinus1 = formatText("%u", byte(entry_byte::kRowsMinus1));
  fields.charHeight = formatText("%u", byte(entry_byte::kCharHeight));
  fields.regenLength = formatText("%04X", unsigned{*image.word(entry + entry_byte::kRegenLength)});
  showBytes(image, entry + entry_byte::kSequencer, fields.sequencer);
  fields.miscOutput = formatText("%02X", byte(entry_byte::kMiscOutput));
  showBytes(image, entry + entry_byte::kCrtc, fields.crtc);
  showBytes(image, entry + entry_byte::kAttribute, fields.attribute);
  showBytes(image, entry + entry_byte::kGraphics, fields.graphics);
}

void showExtendedRecord(const ExtendedRecord& record, ModeFields& fields) {
  fields.nativeMode = record.native();
  fields.interlace = record.interlace();
  fields.nativeDoubleScan = record.nativeDoubleScan();
  fields.pixelFormat = formatText("%02X", record.pixelFormat());
  fields.crtc1B = formatText("%02X", unsigned{record.crtc1B});
  fields.parameterIndex = formatText("%02X", unsigned{record.parameterIndex});
  fields.clock = formatText("%04X", unsigned{record.pll});
}

std::string thisBiosText(const ModeSource& source) {
  if (!source.defined) return "not in this BIOS";
  if (!source.info) return {};
  const ModeInfo& info = *source.info;
  if (info.biosMode <= kLastVgaMode) return formatText("mode %02Xh", unsigned{info.biosMode});
  return formatText("VESA %03Xh, mode %02Xh", unsigned{info.vesaMode}, unsigned{info.biosMode});
}

void showTiming(const ModeTiming& timing, ModeFields& fields) {
  if (timing.pixelClockMHz) fields.pixelClock = frequencyText(*timing.pixelClockMHz);
  fields.total = formatText("%ux%u", timing.horizontalTotal, timing.verticalTotal);
  fields.display = formatText("%ux%u", timing.width, timing.height);
  fields.lineRate = lineRateText(timing);
  fields.refresh = refreshText(timing);
}

template <std::size_t N>
std::vector<std::string> listed(const std::array<std::string, N>& texts) {
  return {texts.begin(), texts.end()};
}

std::vector<std::string> checkBox(bool checked) { return {checked ? "yes" : "no"}; }

}  // namespace

ModeSource modeSource(const Image& image, const BiosLayout& layout, std::size_t row) {
  return sourceOf(image, layout, biosModes(image, layout), row);
}

std::vector<ModeSource> modeSources(const Image& image, const BiosLayout& layout) {
  const std::vector<ModeInfo> modes = biosModes(image, layout);
  std::vector<ModeSource> sources;
  for (std::size_t row = 0; row < kVideoModeCount; ++row) sources.push_back(sourceOf(image, layout, modes, row));
  return sources;
}

std::vector<ModeInfo> biosModes(const Image& image, const BiosLayout& layout) {
  if (!layout.modeInfoTable) return {};
  return modeInfoRecords(image, *layout.modeInfoTable).value_or(std::vector<ModeInfo>{});
}

std::optional<std::size_t> modeRecordAt(const Image& image, const BiosLayout& layout, const ModeInfo& info) {
  return recordAt(image, layout, info.record);
}

std::optional<std::size_t> parameterEntryAt(const Image& image, const BiosLayout& layout, std::size_t number) {
  return tableItem(image, layout.videoParameterTable, number, kParameterEntryBytes);
}

// 35D4h in Agp_sg.rom: modes 0 to 3 take their own entry on 200 lines, 13h
// on from the mode on 350 and 17h + mode / 2 on 400; mode 7 its own or 19h.
std::vector<std::size_t> modeEntries(const Image& image, const BiosLayout& layout, const ModeInfo& info) {
  const std::size_t mode = info.biosMode;
  if (mode <= 3) return {mode, mode + 0x13, mode / 2 + 0x17};
  if (mode == kLastScanLineMode) return {mode, 0x19};
  if (mode <= 6) return {mode};
  if (mode > kLastVgaMode)
    if (const auto at = modeRecordAt(image, layout, info))
      if (const auto record = readExtendedRecord(image, *at, layout.extendedRecordBytes); record && record->parameterIndex)
        return {record->parameterIndex};
  return {info.record};
}

std::optional<ModeTiming> sourceTiming(const Image& image, const BiosLayout& layout, const ModeSource& source) {
  if (!source.entry) return std::nullopt;
  const std::span<const std::uint8_t, kParameterEntryBytes> entry(image.bytes.data() + *source.entry,
                                                                   kParameterEntryBytes);
  return modeTiming(entry, sourceRecord(image, layout, source));
}

std::string lineRateText(const ModeTiming& timing) {
  return timing.lineRateKHz ? formatText("%.2f kHz", *timing.lineRateKHz) : std::string();
}

std::string refreshText(const ModeTiming& timing) {
  return timing.refreshHz ? formatText("%.2f Hz", *timing.refreshHz) : std::string();
}

ModeFields modeFields(const Image& image, const BiosLayout& layout, const ModeSource& source) {
  ModeFields fields;
  fields.thisBios = thisBiosText(source);
  if (!source.defined) return fields;
  if (source.entry) {
    showParameterEntry(image, *source.entry, fields);
    fields.parameterEntry = formatText("%zu", source.entryNumber);
  }
  if (const auto record = sourceRecord(image, layout, source)) {
    showExtendedRecord(*record, fields);
    fields.record = formatText("%zu", source.recordNumber);
  }
  if (const auto timing = sourceTiming(image, layout, source)) showTiming(*timing, fields);
  return fields;
}

ModeFields showSelectedMode(const Image& image, const BiosLayout& layout, std::size_t row) {
  return modeFields(image, layout, modeSource(image, layout, row));
}

std::string modeHeading(const ModeSource& source, std::size_t row) {
  // "Mode 180h": the number's three digits follow the word.
  constexpr std::size_t kNumberEnd = 9;
  const VideoMode& mode = kVideoModes[row];
  const std::string text = mode.text;
  if (mode.number <= kLastVgaMode || !source.info || source.info->vesaMode == mode.number ||
      source.info->vesaMode <= kLastVgaMode || source.info->vesaMode > 0xFFF)
    return text;
  return formatText("Mode %03Xh", unsigned{source.info->vesaMode}) + text.substr(kNumberEnd);
}

std::vector<std::string> modeHeadings(const Image& image, const BiosLayout& layout) {
  const std::vector<ModeSource> sources = modeSources(image, layout);
  std::vector<std::string> headings;
  for (std::size_t row = 0; row < kVideoModeCount; ++row) headings.push_back(modeHeading(sources[row], row));
  return headings;
}

std::string ModeValueGroup::label() const { return range ? formatText("%s (%s)", name, range) : name; }

std::vector<ModeValueGroup> modeValueGroups(const ModeFields& f) {
  // The sequencer's values are its registers 1 to 4; register 0 is the
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
      {"This BIOS", nullptr, nullptr, 0, {f.thisBios}},
      {"Record", nullptr, "D", 0, {f.record}},
      {"Parameter entry", nullptr, "D", 0, {f.parameterEntry}},
      {"Pixel clock", nullptr, nullptr, 0, {f.pixelClock}},
      {"Total", nullptr, nullptr, 0, {f.total}},
      {"Display", nullptr, nullptr, 0, {f.display}},
      {"Line rate", nullptr, nullptr, 0, {f.lineRate}},
      {"Refresh", nullptr, nullptr, 0, {f.refresh}},
  };
}

}  // namespace quarzel
