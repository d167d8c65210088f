// Sign-on string 1: the text the BIOS prints first at boot, through
// INT 10h function 13h with the count in CX.
#pragma once

#include "analysis/bios_layout.h"

namespace quarzel {

// Fills bootString1, bootCodeAddress and the Logo page's text lines.
void locateBootString1(const Image& image, BiosLayout& layout);

// The Logo page starts from the sign-on text: its first three CR LF lines,
// then the two fixed lines a 3dfx BIOS prints beneath them.
std::array<std::string, kLogoLines> logoLinesFrom(const std::string& text);

}  // namespace quarzel
