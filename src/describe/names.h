// The words that name the items, and the numbers that go with them, as
// quarzel-cli's options and the page take them: register names in any case,
// font sizes, a clock in MHz, comma lists.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/font_table.h"

namespace quarzel {

// The pieces of a comma list, n + 1 of them for n commas (empty ones too).
std::vector<std::string> commaList(const std::string& text);

// A register named as the Registers page labels it, in any case.
std::optional<std::size_t> registerNamed(std::string_view name);
// "PCIInit0, MiscInit0, ... or SGRAMmode"
std::string registerNameList();

// A clock for --clock and pll: a decimal number of MHz above 0 and at most
// the PLL's highest clock.
std::optional<double> parseClock(const std::string& text);
// What parseClock takes, for a usage error.
std::string clockRule();

// "8x8", "8x14", "8x16"
std::optional<FontSize> parseFontSize(const std::string& text);
const char* fontSizeName(FontSize size);

}  // namespace quarzel
