#include "analysis/logo/logo_locator.h"

namespace quarzel {

void locateLogo(const Image& image, BiosLayout& layout) {
  const std::size_t end = image.end();
  for (auto call = findFirst(image, kLogoCallSignature, end); call;
       call = findFirst(image, kLogoCallSignature, end, *call + 1)) {
    if (const auto block = readLogoBlock(image, callTarget(image, *call))) {
      layout.logo = InstalledLogo{static_cast<Offset>(*call), *block};
      layout.logoLines = block->lines;
      return;
    }
  }
}

}  // namespace quarzel
