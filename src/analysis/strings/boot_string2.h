// Sign-on string 2, printed by the name printer with its count loaded from
// the word before it.
#pragma once

#include "analysis/bios_layout.h"

namespace quarzel {

void locateBootString2(const Image& image, BiosLayout& layout);

}  // namespace quarzel
