// quarzel-cli modes: each row of the Video Modes page as the BIOS sets the
// mode, one line a row or one JSON array.
#include "analysis/modes/refresh_edit.h"
#include "analysis/modes/video_modes.h"
#include "cli/report/reports.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

// The BIOS's own name for the mode: its VESA number, or for a VGA mode the
// BIOS mode number.
std::string numberText(const ModeInfo& info) {
  return info.biosMode <= kLastVgaMode ? formatText("%02Xh", unsigned{info.biosMode})
                                       : formatText("%03Xh", unsigned{info.vesaMode});
}

std::string resolutionText(const ModeInfo& info) {
  return formatText("%ux%u%s", unsigned{info.width}, unsigned{info.height}, info.text() ? " text" : "");
}

// 2, 16, 256, 64K, 16M as the colours a mode shows; a mono text mode has 0
// bits per pixel, and a depth past 16M colours is told in bits.
std::string coloursText(unsigned bitsPerPixel) {
  if (bitsPerPixel == 0) return "mono";
  if (bitsPerPixel < 10) return formatText("%u", 1u << bitsPerPixel);
  if (bitsPerPixel < 20) return formatText("%uK", 1u << (bitsPerPixel - 10));
  if (bitsPerPixel < 30) return formatText("%uM", 1u << (bitsPerPixel - 20));
  return formatText("%u bpp", bitsPerPixel);
}

std::string modeLine(const Image& image, const BiosLayout& layout, std::size_t row, const ModeSource& source) {
  if (!source.defined) return formatText("%3zu  %-5s  not in this BIOS\n", row, "-");
  const ModeFields f = modeFields(image, layout, source);
  // Without the BIOS's mode table the picture the CRTC values make stands in.
  const std::string resolution = source.info ? resolutionText(*source.info) : f.display;
  return formatText("%3zu  %-5s  %-12s %-7s %6s %6s  %-12s %-9s %s\n", row,
                    source.info ? numberText(*source.info).c_str() : "-", resolution.c_str(),
                    source.info ? coloursText(source.info->bitsPerPixel).c_str() : "", f.record.c_str(),
                    f.parameterEntry.c_str(), f.pixelClock.c_str(), f.refresh.c_str(), f.lineRate.c_str());
}

}  // namespace

std::string modesText(const Image& image, const BiosLayout& layout) {
  std::string out = "row  mode   resolution   colours record  entry  pixel clock  refresh   line rate\n";
  const std::vector<ModeSource> sources = modeSources(image, layout);
  for (std::size_t row = 0; row < sources.size(); ++row) out += modeLine(image, layout, row, sources[row]);
  return out;
}

Json modesJson(const Image& image, const BiosLayout& layout) {
  const std::vector<ModeSource> sources = modeSources(image, layout);
  Json list = Json::array();
  for (std::size_t row = 0; row < sources.size(); ++row) {
    const ModeSource& source = sources[row];
    const ModeFields f = modeFields(image, layout, source);
    const auto text = [](const std::string& value) { return value.empty() ? Json() : Json(value); };
    Json json = {{"row", row}, {"text", modeHeading(source, row)}, {"defined", source.defined}};
    const auto& info = source.info;
    json["biosMode"] = info ? Json(info->biosMode) : Json();
    json["vesaMode"] = info ? Json(info->vesaMode) : Json();
    json["resolution"] = info ? Json(resolutionText(*info)) : Json();
    json["colours"] = info ? Json(coloursText(info->bitsPerPixel)) : Json();
    const bool shown = source.defined;
    json["record"] = numberOrNull(shown && source.record ? std::optional(source.recordNumber) : std::nullopt);
    json["recordOffset"] = numberOrNull(shown ? source.record : std::nullopt);
    json["parameterEntry"] = numberOrNull(shown && source.entry ? std::optional(source.entryNumber) : std::nullopt);
    json["entryOffset"] = numberOrNull(shown ? source.entry : std::nullopt);
    json["pixelClock"] = text(f.pixelClock);
    json["total"] = text(f.total);
    json["display"] = text(f.display);
    json["lineRate"] = text(f.lineRate);
    json["refresh"] = text(f.refresh);
    list.push_back(std::move(json));
  }
  return list;
}

namespace {

// The refresh the resolution's first mode runs at now.
std::string currentRefresh(const Image& image, const BiosLayout& layout, const ResolutionTimings& r) {
  for (const ModeSource& source : modeSources(image, layout))
    if (source.info && source.info->width == r.resolution.width && source.info->height == r.resolution.height &&
        source.info->biosMode > kLastVgaMode)
      if (const auto timing = sourceTiming(image, layout, source)) return refreshText(*timing);
  return {};
}

}  // namespace

std::string timingsText(const Image& image, const BiosLayout& layout) {
  std::string out = "resolution  standard refresh rates (edit --refresh)            now\n";
  for (const ResolutionTimings& r : resolutionTimings(image, layout)) {
    std::string rates;
    for (const TimingChoice& choice : r.choices) rates += formatText("%s%u", rates.empty() ? "" : ", ", choice.timing->refresh);
    rates += " Hz";
    if (r.choices.front().halved)
      rates += formatText(" (%ux%u, lines doubled)", r.choices.front().timing->width, r.choices.front().timing->height);
    out += formatText("%-11s %-48s %s\n", formatText("%ux%u", r.resolution.width, r.resolution.height).c_str(),
                      rates.c_str(), currentRefresh(image, layout, r).c_str());
  }
  return out;
}

Json timingsJson(const Image& image, const BiosLayout& layout) {
  Json list = Json::array();
  for (const ResolutionTimings& r : resolutionTimings(image, layout)) {
    Json rates = Json::array();
    for (const TimingChoice& choice : r.choices) rates.push_back(choice.timing->refresh);
    list.push_back({{"width", r.resolution.width},
                    {"height", r.resolution.height},
                    {"linesDoubled", r.choices.front().halved},
                    {"rates", rates},
                    {"now", currentRefresh(image, layout, r)}});
  }
  return list;
}

}  // namespace quarzel::cli
