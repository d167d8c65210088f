#include "analysis/logo/logo_locator.h"

#include "formats/near_call.h"

namespace quarzel {

void locateLogo(const Image& image, BiosLayout& layout) {
  const std::size_t end = image.end();
  for (auto call = findFirst(image, kLogoCallSignature, end); call;
       call = findFirst(image, kLogoCallSignature, end, *call + 1)) {
    const auto target = nearCallTarget(image, *call);
    // A block cut by the image's end is not taken: removing it would write
    // past the end.
    const auto block = target ? readLogoBlock(image, *target) : std::nullopt;
    if (block && image.holds(block->base, block->size)) {
      layout.logo = InstalledLogo{static_cast<Offset>(*call), *block};
      layout.logoLines = block->lines;
      return;
    }
  }
}

}  // namespace quarzel
