// The registers of two images side by side, as `quarzel-cli compare --json`
// and the page describe them.
#pragma once

#include "analysis/bios_layout.h"
#include "analysis/registers/register_compare.h"
#include "describe/json.h"

namespace quarzel {

// {"registers": [...], "pllFrequencyA": ..., "pllFrequencyB": ...}: a
// register one image lacks is null there, and its verdict says so.
Json compareJson(const BiosLayout& layout, const CompareScan& scan);

}  // namespace quarzel
