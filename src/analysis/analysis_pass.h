// The analysis pass: clears the located items and runs the locator blocks
// in their fixed order. Each block scans the image on its own; only the
// sign-on string's reads what the logo's recorded, since an installed logo
// keeps the sign-on code.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/image.h"

namespace quarzel {

// Rebuilds every located item of `layout` from `image`; the comparison
// values of a second BIOS are left as they are.
void AnalysisPass(const Image& image, BiosLayout& layout);

// After the logo is written or removed: the logo and the sign-on string
// found anew (their count word moves between the code and the block's kept
// copy), the rest of the layout as it was.
void relocateSignOn(const Image& image, BiosLayout& layout);

// True when the pass found any item at all: a sign-on string, the date, a
// register, a font or fix-up table, a mode table, the PCIR or a VESA string.
bool foundAnyItem(const BiosLayout& layout);

}  // namespace quarzel
