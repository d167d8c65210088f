#include "describe/mode_texts.h"

#include "formats/text_format.h"

namespace quarzel {

std::string modeNumberText(const ModeInfo& info) {
  return info.biosMode <= kLastVgaMode ? formatText("%02Xh", unsigned{info.biosMode})
                                       : formatText("%03Xh", unsigned{info.vesaMode});
}

std::string resolutionText(const ModeInfo& info) {
  return formatText("%ux%u%s", unsigned{info.width}, unsigned{info.height}, info.text() ? " text" : "");
}

std::string coloursText(unsigned bitsPerPixel) {
  if (bitsPerPixel == 0) return "mono";
  if (bitsPerPixel < 10) return formatText("%u", 1u << bitsPerPixel);
  if (bitsPerPixel < 20) return formatText("%uK", 1u << (bitsPerPixel - 10));
  if (bitsPerPixel < 30) return formatText("%uM", 1u << (bitsPerPixel - 20));
  return formatText("%u bpp", bitsPerPixel);
}

std::string currentRefresh(const Image& image, const BiosLayout& layout, const ResolutionTimings& r) {
  for (const ModeSource& source : modeSources(image, layout))
    if (source.info && source.info->width == r.resolution.width && source.info->height == r.resolution.height &&
        source.info->biosMode > kLastVgaMode)
      if (const auto timing = sourceTiming(image, layout, source)) return refreshText(*timing);
  return {};
}

}  // namespace quarzel
