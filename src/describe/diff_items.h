// The names quarzel-cli gives the items of a comparison: for people
// ("Font 8x16") and as JSON keys ("font:8x16").
#pragma once

#include <string>

#include "analysis/compare/bios_diff.h"

namespace quarzel {

std::string itemName(const ItemRef& ref);
std::string itemKey(const ItemRef& ref);
// "same", "differs", "onlyA", "onlyB", "neither"
const char* verdictKey(Verdict verdict);

}  // namespace quarzel
