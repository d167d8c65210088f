// The BIOS build date "mm/dd/yy" in the first sector of the ROM.
#pragma once

#include "analysis/bios_layout.h"

namespace quarzel {

void locateBiosDate(const Image& image, BiosLayout& layout);

// The located date's characters as the image holds them now (a Restore
// reads them again); bytes past the image read as 0.
void readBiosDate(const Image& image, BiosDate& date);

}  // namespace quarzel
