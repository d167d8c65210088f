// What differs between two images, item by item, as `quarzel-cli diff
// --json` and the page describe it.
#pragma once

#include <string>

#include "analysis/compare/bios_diff.h"

namespace quarzel {

// The two images' file names as the report shows them.
struct DiffNames {
  std::string a, b;
};

// One JSON object, two-space indented, ending in a line break.
std::string diffJson(const DiffNames& names, const BiosDiff& diff);

}  // namespace quarzel
