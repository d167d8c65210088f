// The two views of `quarzel-cli diff`: the readable report and the JSON
// object.
#pragma once

#include <string>

#include "analysis/compare/bios_diff.h"

namespace quarzel::cli {

// The two images' file names as the report shows them.
struct DiffNames {
  std::string a, b;
};

std::string diffText(const DiffNames& names, const BiosDiff& diff);
std::string diffJson(const DiffNames& names, const BiosDiff& diff);

}  // namespace quarzel::cli
