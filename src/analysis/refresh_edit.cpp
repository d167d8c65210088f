#include "analysis/refresh_edit.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "analysis/pll_search.h"
#include "analysis/video_modes.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

constexpr unsigned kCharDots = 8;  // the board's graphics modes use 8-dot characters

// Misc Output: the PLL selected (bits 2 and 3), sync polarities (bits 6 and
// 7 set: negative); the I/O address, RAM enable and page bits are kept.
constexpr std::uint8_t kPllSelected = 0x0C, kHSyncNegative = 0x40, kVSyncNegative = 0x80, kKeepMisc = 0x33;
// CRTC 3 keeps its compatible-read and skew bits, 5 its skew, 9 all but
// the blank start's bit 9 (bit 5), 11h its protect and interrupt bits.
constexpr std::uint8_t kKeep3 = 0xE0, kKeep5 = 0x60, kKeep9 = 0xDF, kKeep11 = 0xF0;
// CRTC 7: bit 4 (line compare bit 8) is kept.
constexpr std::uint8_t kLineCompare8 = 0x10;
// CRTC 1Bh: bits 10 of the vertical total, display end, blank start and
// sync start (0, 2, 4, 6) are written, the others kept.
constexpr std::uint8_t kKeep1B = 0xAA;

unsigned bit(unsigned value, unsigned n) { return (value >> n) & 1u; }

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
  const auto at = modeRecordAt(layout, info);
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

// The entry's Misc Output and CRTC bytes as the BIOS's own tables hold a
// timing: blanking from the end of the display to one character or line
// before the total.
void writeEntry(Image& image, std::size_t entry, const CrtcTiming& c, const StandardTiming& t) {
  std::uint8_t* e = &image.bytes[entry];
  std::uint8_t& misc = e[entry_byte::kMiscOutput];
  misc = static_cast<std::uint8_t>((misc & kKeepMisc) | kPllSelected |
                                   (t.horizontalSyncPositive ? 0 : kHSyncNegative) |
                                   (t.verticalSyncPositive ? 0 : kVSyncNegative));
  std::uint8_t* crtc = e + entry_byte::kCrtc;
  const unsigned blankEnd = c.total - 1;
  crtc[0] = static_cast<std::uint8_t>(c.total - 5);
  crtc[1] = static_cast<std::uint8_t>(c.display - 1);
  crtc[2] = static_cast<std::uint8_t>(c.display);
  crtc[3] = static_cast<std::uint8_t>((crtc[3] & kKeep3) | (blankEnd & 0x1F));
  crtc[4] = static_cast<std::uint8_t>(c.syncStart);
  crtc[5] = static_cast<std::uint8_t>(bit(blankEnd, 5) << 7 | (crtc[5] & kKeep5) | (c.syncEnd & 0x1F));
  const unsigned vt = c.verticalTotal - 2, vde = c.verticalDisplay - 1, vrs = c.verticalSyncStart;
  const unsigned vbs = c.verticalDisplay - 1, vbe = c.verticalTotal - 1;
  crtc[6] = static_cast<std::uint8_t>(vt);
  crtc[7] = static_cast<std::uint8_t>(bit(vt, 8) | bit(vde, 8) << 1 | bit(vrs, 8) << 2 | bit(vbs, 8) << 3 |
                                      (crtc[7] & kLineCompare8) | bit(vt, 9) << 5 | bit(vde, 9) << 6 | bit(vrs, 9) << 7);
  crtc[9] = static_cast<std::uint8_t>((crtc[9] & kKeep9) | bit(vbs, 9) << 5);
  crtc[0x10] = static_cast<std::uint8_t>(vrs);
  crtc[0x11] = static_cast<std::uint8_t>((crtc[0x11] & kKeep11) | (c.verticalSyncEnd & 0x0F));
  crtc[0x12] = static_cast<std::uint8_t>(vde);
  crtc[0x15] = static_cast<std::uint8_t>(vbs);
  crtc[0x16] = static_cast<std::uint8_t>(vbe);
}

// CRTC 1Bh's bits 10 and the PLL value, in a record of a known layout.
void writeRecord(Image& image, std::size_t record, const ExtendedRecordLayout& layout, const CrtcTiming& c,
                 std::uint16_t pll) {
  const unsigned vt = c.verticalTotal - 2, vde = c.verticalDisplay - 1, vrs = c.verticalSyncStart;
  const unsigned vbs = c.verticalDisplay - 1;
  std::uint8_t& extension = image.bytes[record + kRecordCrtc1BByte];
  extension = static_cast<std::uint8_t>((extension & kKeep1B) | bit(vt, 10) | bit(vde, 10) << 2 |
                                        bit(vbs, 10) << 4 | bit(vrs, 10) << 6);
  image.bytes[record + layout.pll] = static_cast<std::uint8_t>(pll);
  image.bytes[record + layout.pll + 1] = static_cast<std::uint8_t>(pll >> 8);
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
  constexpr double kRefreshTolerance = 0.5;
  if (!timing.refreshHz) return std::nullopt;
  for (const TimingChoice& choice : timingChoices(image, layout, resolution)) {
    const CrtcTiming crtc = crtcTiming(choice);
    const double refresh = crtc.clockMHz * 1e6 / (crtc.total * kCharDots) / crtc.verticalTotal;
    if (timing.horizontalTotal == crtc.total * kCharDots && timing.verticalTotal == crtc.verticalTotal &&
        std::abs(*timing.refreshHz - refresh) <= kRefreshTolerance)
      return choice.timing->refresh;
  }
  return std::nullopt;
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

  // Every entry and record of the resolution, each once; an entry that a
  // mode of another size also takes would change that mode too.
  std::set<std::size_t> entries, records;
  for (const ModeInfo& info : own) {
    const auto record = modeRecordAt(layout, info);
    const auto entry = parameterEntryAt(layout, modeEntries(image, layout, info).front());
    if (!record || !entry) return EditResult::failed(EditError::NoModeTables);
    records.insert(*record);
    entries.insert(*entry);
  }
  for (const ModeInfo& other : modes) {
    if (other.width == resolution.width && other.height == resolution.height && boardGraphics(other)) continue;
    for (const std::size_t number : modeEntries(image, layout, other))
      if (const auto entry = parameterEntryAt(layout, number); entry && entries.contains(*entry))
        return EditResult::failed(EditError::SharedParameterEntry);
  }

  const CrtcTiming crtc = crtcTiming(*choice);
  const PllSetting pll = rankedPllSettings(crtc.clockMHz, 0).front();
  const double limit = layout.pixelClockLimitHz ? *layout.pixelClockLimitHz / 1e6 : kDefaultPixelClockLimitMHz;
  if (pll.megahertz > limit) return EditResult::failed(EditError::ClockPastDacLimit);

  EditResult result;
  for (const std::size_t entry : entries) {
    writeEntry(image, entry, crtc, *choice->timing);
    result.written.push_back({entry + entry_byte::kMiscOutput, entry_byte::kCrtc + kCrtcRegisters - entry_byte::kMiscOutput});
  }
  for (const std::size_t record : records) {
    writeRecord(image, record, *recordLayout, crtc, static_cast<std::uint16_t>(pll.value));
    result.written.push_back({record + kRecordCrtc1BByte, recordLayout->pll + 2 - kRecordCrtc1BByte});
  }
  return result;
}

}  // namespace quarzel
