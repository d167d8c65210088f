#include "analysis/modes/refresh_edit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <span>

#include "analysis/modes/crtc_values.h"
#include "analysis/registers/pll_search.h"
#include "analysis/modes/video_modes.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

constexpr unsigned kCharDots = 8;  // the board's graphics modes use 8-dot characters

std::span<const std::uint8_t, kParameterEntryBytes> entrySpan(const Image& image, std::size_t entry) {
  return std::span<const std::uint8_t, kParameterEntryBytes>(image.bytes.data() + entry, kParameterEntryBytes);
}

// Misc Output: the PLL selected (bits 2 and 3), sync polarities (bits 6 and
// 7 set: negative); the I/O address, RAM enable and page bits are kept.
constexpr std::uint8_t kPllSelected = 0x0C, kHSyncNegative = 0x40, kVSyncNegative = 0x80, kKeepMisc = 0x33;

bool boardGraphics(const ModeInfo& info) { return info.biosMode > kLastVgaMode && !info.text(); }

std::vector<ModeInfo> modesOfResolution(const std::vector<ModeInfo>& modes, Resolution resolution) {
  std::vector<ModeInfo> found;
  for (const ModeInfo& info : modes)
    if (boardGraphics(info) && info.width == resolution.width && info.height == resolution.height)
      found.push_back(info);
  return found;
}

// The chip shows the resolution with doubled lines where its first mode's
// record says so.
bool doubled(const Image& image, const BiosLayout& layout, const ModeInfo& info) {
  const auto at = modeRecordAt(image, layout, info);
  const auto record = at ? readExtendedRecord(image, *at, layout.extendedRecordBytes) : std::nullopt;
  return record && record->nativeDoubleScan();
}

std::vector<TimingChoice> choicesFor(const Image& image, const BiosLayout& layout, const std::vector<ModeInfo>& modes,
                                     Resolution resolution) {
  if (modes.empty()) return {};
  const bool halved = doubled(image, layout, modes.front());
  const unsigned scale = halved ? 2 : 1;
  std::vector<TimingChoice> choices;
  for (const StandardTiming& timing : standardTimings())
    if (timing.width == resolution.width * scale && timing.height == resolution.height * scale)
      choices.push_back({&timing, halved});
  return choices;
}

// The CRTC values of a timing, in characters and lines as the registers
// take them, and the clock that keeps the timing's line rate on a
// horizontal total of whole characters.
struct CrtcTiming {
  unsigned total, display, syncStart, syncEnd;                  // characters
  unsigned verticalTotal, verticalDisplay, verticalSyncStart, verticalSyncEnd;  // lines
  double clockMHz;
};

CrtcTiming crtcTiming(const TimingChoice& choice) {
  const StandardTiming& t = *choice.timing;
  const unsigned unit = kCharDots * (choice.halved ? 2 : 1);
  CrtcTiming c{};
  c.total = t.horizontalTotal / unit;
  c.display = t.width / unit;
  c.syncStart = t.horizontalSyncStart / unit;
  c.syncEnd = (t.horizontalSyncStart + t.horizontalSyncWidth) / unit;
  c.verticalTotal = t.verticalTotal;
  c.verticalDisplay = t.height;
  c.verticalSyncStart = t.verticalSyncStart;
  c.verticalSyncEnd = t.verticalSyncStart + t.verticalSyncWidth;
  c.clockMHz = t.pixelClockMHz / t.horizontalTotal * c.total * kCharDots;
  return c;
}

// The values of a timing with blanking from the end of the display to one
// character or line before the total.
CrtcValues plainValues(const CrtcTiming& c) {
  CrtcValues v;
  v.hTotal = c.total - 5;
  v.hDisplayEnd = c.display - 1;
  v.hBlankStart = c.display;
  v.hBlankEnd = c.total - 1;
  v.hSyncStart = c.syncStart;
  v.hSyncEnd = c.syncEnd;
  v.vTotal = c.verticalTotal - 2;
  v.vDisplayEnd = c.verticalDisplay - 1;
  v.vBlankStart = c.verticalDisplay - 1;
  v.vBlankEnd = c.verticalTotal - 1;
  v.vSyncStart = c.verticalSyncStart;
  v.vSyncEnd = c.verticalSyncEnd;
  return v;
}

// The standard timing a parameter entry with its record holds now: its
// totals, and its refresh within 0.5 Hz.
const TimingChoice* heldChoice(const std::vector<TimingChoice>& choices, const ModeTiming& timing) {
  constexpr double kRefreshTolerance = 0.5;
  if (!timing.refreshHz) return nullptr;
  for (const TimingChoice& choice : choices) {
    const CrtcTiming crtc = crtcTiming(choice);
    const double refresh = crtc.clockMHz * 1e6 / (crtc.total * kCharDots) / crtc.verticalTotal;
    if (timing.horizontalTotal == crtc.total * kCharDots && timing.verticalTotal == crtc.verticalTotal &&
        std::abs(*timing.refreshHz - refresh) <= kRefreshTolerance)
      return &choice;
  }
  return nullptr;
}

// The timing's values placed as the entry places those of the standard
// timing it holds now: the BIOS's entries start sync or blanking a
// character or line off the plain figures, each in its own way (800x600's
// planar entry starts horizontal sync 2 characters after the packed one,
// and blanks from line 599 where the other blanks from 600). An entry that
// holds no standard timing takes the plain values.
CrtcValues placedValues(std::span<const std::uint8_t, kParameterEntryBytes> entry, const ExtendedRecord& record,
                        const std::vector<TimingChoice>& choices, const CrtcTiming& target) {
  CrtcValues values = plainValues(target);
  const TimingChoice* held = heldChoice(choices, modeTiming(entry, record));
  if (!held) return values;
  const CrtcValues now = readCrtcValues(entry, record.crtc1B), plain = plainValues(crtcTiming(*held));
  for (const CrtcField& field : kPlacementFields) {
    // Fields that keep only their low bits are offset within them.
    const unsigned mask = field.bits ? (1u << field.bits) - 1 : 0xFFFFu;
    values.*field.value = (values.*field.value + now.*field.value - plain.*field.value) & mask;
  }
  return values;
}

// The entry's Misc Output: the PLL and the timing's sync polarities.
void writeMiscOutput(Image& image, std::size_t entry, const StandardTiming& t) {
  std::uint8_t& misc = image.bytes[entry + entry_byte::kMiscOutput];
  misc = static_cast<std::uint8_t>((misc & kKeepMisc) | kPllSelected | (t.horizontalSyncPositive ? 0 : kHSyncNegative) |
                                   (t.verticalSyncPositive ? 0 : kVSyncNegative));
}

}  // namespace

std::vector<ModeInfo> boardModesOf(const Image& image, const BiosLayout& layout, Resolution resolution) {
  return modesOfResolution(biosModes(image, layout), resolution);
}

std::vector<TimingChoice> timingChoices(const Image& image, const BiosLayout& layout, Resolution resolution) {
  return choicesFor(image, layout, modesOfResolution(biosModes(image, layout), resolution), resolution);
}

std::vector<ResolutionTimings> resolutionTimings(const Image& image, const BiosLayout& layout) {
  const std::vector<ModeInfo> modes = biosModes(image, layout);
  std::vector<ResolutionTimings> list;
  for (const ModeInfo& info : modes) {
    const Resolution resolution{info.width, info.height};
    if (!boardGraphics(info) ||
        std::ranges::any_of(list, [&](const ResolutionTimings& r) { return r.resolution == resolution; }))
      continue;
    auto choices = choicesFor(image, layout, modesOfResolution(modes, resolution), resolution);
    if (!choices.empty()) list.push_back({resolution, std::move(choices)});
  }
  return list;
}

std::string refreshText(const RefreshSetting& setting) {
  return formatText("%ux%u@%u", setting.resolution.width, setting.resolution.height, setting.refresh);
}

std::optional<RefreshSetting> parseRefreshText(std::string_view text) {
  const auto x = text.find('x'), at = text.find('@');
  if (x == std::string_view::npos || at == std::string_view::npos || at < x) return std::nullopt;
  const auto width = readDecimal(text.substr(0, x));
  const auto height = readDecimal(text.substr(x + 1, at - x - 1));
  const auto refresh = readDecimal(text.substr(at + 1));
  if (!width || !height || !refresh || *width > 0xFFFF || *height > 0xFFFF || *refresh > 1000) return std::nullopt;
  return RefreshSetting{{static_cast<unsigned>(*width), static_cast<unsigned>(*height)}, static_cast<unsigned>(*refresh)};
}

std::optional<unsigned> standardRefresh(const Image& image, const BiosLayout& layout, Resolution resolution,
                                        const ModeTiming& timing) {
  const std::vector<TimingChoice> choices = timingChoices(image, layout, resolution);
  const TimingChoice* held = heldChoice(choices, timing);
  return held ? std::optional(held->timing->refresh) : std::nullopt;
}

EditResult applyRefresh(Image& image, const BiosLayout& layout, Resolution resolution, unsigned refresh) {
  if (!layout.modeInfoTable || !layout.extendedModeTable || !layout.videoParameterTable)
    return EditResult::failed(EditError::NoModeTables);
  const std::vector<ModeInfo> modes = biosModes(image, layout);
  const std::vector<ModeInfo> own = modesOfResolution(modes, resolution);
  if (own.empty()) return EditResult::failed(EditError::NoSuchResolution);
  const auto choices = choicesFor(image, layout, own, resolution);
  const auto choice = std::ranges::find_if(choices, [&](const TimingChoice& c) { return c.timing->refresh == refresh; });
  if (choice == choices.end()) return EditResult::failed(EditError::NoStandardTiming);
  const ExtendedRecordLayout* recordLayout = extendedRecordLayout(layout.extendedRecordBytes);
  if (!recordLayout) return EditResult::failed(EditError::RecordWithoutPll);

  // Every entry and record of the resolution, each once, with the record
  // beside which the mode set writes each entry; an entry that a mode of
  // another size also takes would change that mode too. With both tables
  // located, an entry or record not found runs past the image's end.
  std::map<std::size_t, std::size_t> entryRecord, recordEntry;
  for (const ModeInfo& info : own) {
    const auto record = modeRecordAt(image, layout, info);
    const auto entry = parameterEntryAt(image, layout, modeEntries(image, layout, info).front());
    if (!record || !entry) return EditResult::failed(EditError::PastImageEnd);
    entryRecord.emplace(*entry, *record);
    recordEntry.emplace(*record, *entry);
  }
  for (const ModeInfo& other : modes) {
    if (other.width == resolution.width && other.height == resolution.height && boardGraphics(other)) continue;
    for (const std::size_t number : modeEntries(image, layout, other))
      if (const auto entry = parameterEntryAt(image, layout, number); entry && entryRecord.contains(*entry))
        return EditResult::failed(EditError::SharedParameterEntry);
  }

  const CrtcTiming crtc = crtcTiming(*choice);
  const PllSetting pll = rankedPllSettings(crtc.clockMHz, 0).front();
  const double limit = layout.pixelClockLimitHz ? *layout.pixelClockLimitHz / 1e6 : kDefaultPixelClockLimitMHz;
  if (pll.megahertz > limit) return EditResult::failed(EditError::ClockPastDacLimit);

  // Each entry's values are placed from its bytes before any is written.
  std::map<std::size_t, CrtcValues> values;
  for (const auto& [entry, record] : entryRecord)
    values[entry] = placedValues(entrySpan(image, entry), *readExtendedRecord(image, record, layout.extendedRecordBytes),
                                 choices, crtc);
  EditResult result;
  for (const auto& [entry, placed] : values) {
    writeMiscOutput(image, entry, *choice->timing);
    writeCrtcValues(std::span<std::uint8_t, kParameterEntryBytes>(image.bytes.data() + entry, kParameterEntryBytes),
                    placed);
    result.written.push_back({entry + entry_byte::kMiscOutput, entry_byte::kCrtc + kCrtcRegisters - entry_byte::kMiscOutput});
  }
  for (const auto& [record, entry] : recordEntry) {
    std::uint8_t& extension = image.bytes[record + kRecordCrtc1BByte];
    extension = crtc1BWith(extension, values[entry]);
    image.bytes[record + recordLayout->pll] = static_cast<std::uint8_t>(pll.value);
    image.bytes[record + recordLayout->pll + 1] = static_cast<std::uint8_t>(pll.value >> 8);
    result.written.push_back({record + kRecordCrtc1BByte, recordLayout->pll + 2 - kRecordCrtc1BByte});
  }
  return result;
}

}  // namespace quarzel
