// The readable report of `quarzel-cli diff` (its JSON is in describe/).
#pragma once

#include <string>

#include "analysis/compare/bios_diff.h"
#include "describe/diff_json.h"

namespace quarzel::cli {

std::string diffText(const DiffNames& names, const BiosDiff& diff);

}  // namespace quarzel::cli
