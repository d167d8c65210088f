// quarzel-cli modes: each row of the Video Modes page as the BIOS sets the
// mode, one line a row, and the refresh rates each resolution can take.
#include "analysis/modes/refresh_edit.h"
#include "analysis/modes/video_modes.h"
#include "cli/report/reports.h"
#include "describe/mode_texts.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

std::string modeLine(const Image& image, const BiosLayout& layout, std::size_t row, const ModeSource& source) {
  if (!source.defined) return formatText("%3zu  %-5s  not in this BIOS\n", row, "-");
  const ModeFields f = modeFields(image, layout, source);
  // Without the BIOS's mode table the picture the CRTC values make stands in.
  const std::string resolution = source.info ? resolutionText(*source.info) : f.display;
  return formatText("%3zu  %-5s  %-12s %-7s %6s %6s  %-12s %-9s %s\n", row,
                    source.info ? modeNumberText(*source.info).c_str() : "-", resolution.c_str(),
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

}  // namespace quarzel::cli
