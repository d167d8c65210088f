// The BIOS build date "mm/dd/yy" in the first sector of the ROM.
#pragma once

#include "analysis/bios_layout.h"

namespace quarzel {

void locateBiosDate(const Image& image, BiosLayout& layout);

}  // namespace quarzel
