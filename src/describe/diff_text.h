// The readable report of `quarzel-cli diff`, which the page shows too: a
// block per page, each item that differs in the page's terms.
#pragma once

#include <string>

#include "analysis/compare/bios_diff.h"
#include "describe/diff_json.h"

namespace quarzel {

std::string diffText(const DiffNames& names, const BiosDiff& diff);

}  // namespace quarzel
