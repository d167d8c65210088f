// Lets GoogleTest print the items of a comparison in its failure messages.
#pragma once

#include <ostream>

#include "analysis/compare/bios_diff.h"

namespace quarzel {

inline void PrintTo(const ItemRef& ref, std::ostream* out) {
  *out << "{item " << static_cast<int>(ref.item) << ", index " << ref.index << "}";
}

}  // namespace quarzel
