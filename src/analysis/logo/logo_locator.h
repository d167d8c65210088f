// quarzel's own boot logo in an image: the call that replaced the sign-on
// code and the block it leads to.
#pragma once

#include "analysis/bios_layout.h"

namespace quarzel {

// Fills `logo` and the Logo page's lines from the block. Runs before the
// sign-on string's locator, which finds string 1 through the sign-on code
// the block keeps.
void locateLogo(const Image& image, BiosLayout& layout);

}  // namespace quarzel
