// The PCI data structure "PCIR" of the option ROM.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/pcir_structure.h"

namespace quarzel {

void locatePcir(const Image& image, BiosLayout& layout);

}  // namespace quarzel
