// The analysis pass: clears the located items and runs the locator blocks
// in their fixed order. Each block scans the image on its own; none reads
// what an earlier block recorded.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/image.h"

namespace quarzel {

// Rebuilds every located item of `layout` from `image`; the comparison
// values of a second BIOS are left as they are.
void AnalysisPass(const Image& image, BiosLayout& layout);

// True when the pass found any item at all: a sign-on string, the date, a
// register, a font or fix-up table, a mode table, the PCIR or a VESA string.
bool foundAnyItem(const BiosLayout& layout);

}  // namespace quarzel
