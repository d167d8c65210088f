// The video modes as `quarzel-cli modes --json` and the page describe them.
#pragma once

#include "analysis/bios_layout.h"
#include "describe/json.h"
#include "formats/image.h"

namespace quarzel {

// Every row as the BIOS sets the mode: the JSON array of the key "modes".
Json modesJson(const Image& image, const BiosLayout& layout);
// The standard refresh rates each resolution of the board's modes can take,
// and the rate it runs at now: the JSON array of the key "timings".
Json timingsJson(const Image& image, const BiosLayout& layout);

}  // namespace quarzel
