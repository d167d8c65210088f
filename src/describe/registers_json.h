// The registers as `quarzel-cli registers --json` and the page describe
// them: each register's value split into the fields of its bit-field
// dialog, and PLLCtrl1's dividers and clock.
#pragma once

#include <cstddef>
#include <optional>

#include "analysis/bios_layout.h"
#include "describe/json.h"

namespace quarzel {

// The array of the key "registers": every register, or the one asked for.
Json registersJson(const BiosLayout& layout, std::optional<std::size_t> only = std::nullopt);

}  // namespace quarzel
