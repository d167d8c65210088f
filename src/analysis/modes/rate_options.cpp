#include "analysis/modes/rate_options.h"

#include "analysis/modes/refresh_edit.h"
#include "analysis/registers/registers.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

bool boardGraphics(const ModeSource& source) {
  return source.info && source.info->biosMode > kLastVgaMode && !source.info->text();
}

Resolution resolutionOf(const ModeInfo& info) { return {info.width, info.height}; }

}  // namespace

std::vector<RateOption> rateOptions(const Image& image, const BiosLayout& layout, const ModeSource& source) {
  if (!boardGraphics(source)) return {};
  const Resolution resolution = resolutionOf(*source.info);
  const std::vector<TimingChoice> choices = timingChoices(image, layout, resolution);
  if (choices.empty()) return {};
  const std::optional<ModeTiming> own = sourceTiming(image, layout, source);
  const std::string ownRate = own ? refreshText(*own) : std::string();
  std::vector<RateOption> options{{std::nullopt, ownRate.empty() ? "this BIOS" : ownRate + " (this BIOS)", own, std::nullopt}};
  for (const TimingChoice& choice : choices) {
    const unsigned refresh = choice.timing->refresh;
    Image applied = image;
    const EditResult result = applyRefresh(applied, layout, resolution, refresh);
    if (result.ok() && applied.bytes == image.bytes) continue;
    RateOption option{refresh, formatText("%u Hz", refresh), std::nullopt, result.error};
    if (result.ok()) option.timing = sourceTiming(applied, layout, source);
    options.push_back(std::move(option));
  }
  return options;
}

std::string rateOptionText(const RateOption& option) {
  if (option.refusal) return describe(*option.refusal);
  if (!option.timing) return {};
  const ModeTiming& timing = *option.timing;
  const std::string clock = timing.pixelClockMHz ? frequencyText(*timing.pixelClockMHz) : "clock unknown";
  return clock + ", " + lineRateText(timing) + ", " + refreshText(timing);
}

std::vector<std::uint16_t> modesChangedWith(const Image& image, const BiosLayout& layout, const ModeSource& source) {
  std::vector<std::uint16_t> numbers;
  if (!boardGraphics(source)) return numbers;
  for (const ModeInfo& info : boardModesOf(image, layout, resolutionOf(*source.info)))
    if (info.vesaMode != source.info->vesaMode) numbers.push_back(info.vesaMode);
  return numbers;
}

}  // namespace quarzel
