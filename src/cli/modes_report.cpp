// quarzel-cli modes: each row of the Video Modes page as the BIOS sets the
// mode, one line a row or one JSON array.
#include "analysis/refresh_edit.h"
#include "analysis/video_modes.h"
#include "cli/reports.h"
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

void modesJson(JsonWriter& json, const Image& image, const BiosLayout& layout) {
  const std::vector<ModeSource> sources = modeSources(image, layout);
  json.beginArray("modes");
  for (std::size_t row = 0; row < sources.size(); ++row) {
    const ModeSource& source = sources[row];
    const ModeFields f = modeFields(image, layout, source);
    const auto text = [&](std::string_view key, const std::string& value) -> JsonWriter& {
      return value.empty() ? json.null(key) : json.string(key, value);
    };
    json.beginObject().number("row", static_cast<std::int64_t>(row)).string("text", kVideoModes[row].text);
    json.boolean("defined", source.defined);
    if (source.info) {
      json.number("biosMode", source.info->biosMode).number("vesaMode", source.info->vesaMode);
      json.string("resolution", resolutionText(*source.info)).string("colours", coloursText(source.info->bitsPerPixel));
    } else {
      json.null("biosMode").null("vesaMode").null("resolution").null("colours");
    }
    const bool shown = source.defined;
    json.numberOrNull("record", shown && source.record ? std::optional(source.recordNumber) : std::nullopt)
        .numberOrNull("recordOffset", shown ? source.record : std::nullopt)
        .numberOrNull("parameterEntry", shown && source.entry ? std::optional(source.entryNumber) : std::nullopt)
        .numberOrNull("entryOffset", shown ? source.entry : std::nullopt);
    text("pixelClock", f.pixelClock);
    text("total", f.total);
    text("display", f.display);
    text("lineRate", f.lineRate);
    text("refresh", f.refresh);
    json.endObject();
  }
  json.endArray();
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

void timingsJson(JsonWriter& json, const Image& image, const BiosLayout& layout) {
  json.beginArray("timings");
  for (const ResolutionTimings& r : resolutionTimings(image, layout)) {
    json.beginObject().number("width", r.resolution.width).number("height", r.resolution.height);
    json.boolean("linesDoubled", r.choices.front().halved).beginArray("rates");
    for (const TimingChoice& choice : r.choices) json.number({}, choice.timing->refresh);
    json.endArray().string("now", currentRefresh(image, layout, r)).endObject();
  }
  json.endArray();
}

}  // namespace quarzel::cli
