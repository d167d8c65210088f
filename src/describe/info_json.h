// An image as `quarzel-cli info --json` and the page describe it: every item
// found, with its offset and what it holds.
#pragma once

#include <string>

#include "analysis/bios_layout.h"
#include "formats/image.h"

namespace quarzel {

// One JSON object, two-space indented, ending in a line break.
std::string infoJson(const Image& image, const BiosLayout& layout);

}  // namespace quarzel
