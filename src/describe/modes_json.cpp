#include "describe/modes_json.h"

#include "analysis/modes/refresh_edit.h"
#include "analysis/modes/video_modes.h"
#include "describe/mode_texts.h"

namespace quarzel {

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

}  // namespace quarzel
