#include "analysis/pci_vesa/pcir_locator.h"

namespace quarzel {

void locatePcir(const Image& image, BiosLayout& layout) {
  // The first "PCIR" in the image is taken, not the one the option-ROM
  // header points at. Nothing found leaves the location empty, so a pass
  // over an image without the structure keeps nothing of the previous one.
  const auto found = findFirst(image, kPcirSignature, searchEnd(image, kSearchMargin));
  layout.pcir = found ? Location{static_cast<Offset>(*found)} : std::nullopt;
}

}  // namespace quarzel
