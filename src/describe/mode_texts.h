// The texts every report of the video modes shows of a mode: its number in
// this BIOS, its resolution and colours, and the refresh a resolution runs
// at now.
#pragma once

#include <string>

#include "analysis/bios_layout.h"
#include "analysis/modes/refresh_edit.h"
#include "analysis/modes/video_modes.h"
#include "formats/image.h"

namespace quarzel {

// The BIOS's own name for the mode: its VESA number, or for a VGA mode the
// BIOS mode number.
std::string modeNumberText(const ModeInfo& info);
std::string resolutionText(const ModeInfo& info);
// 2, 16, 256, 64K, 16M as the colours a mode shows; a mono text mode has 0
// bits per pixel, and a depth past 16M colours is told in bits.
std::string coloursText(unsigned bitsPerPixel);
// The refresh the resolution's first mode runs at now.
std::string currentRefresh(const Image& image, const BiosLayout& layout, const ResolutionTimings& resolution);

}  // namespace quarzel
