// The nine chip registers as the Registers page lists them, with the clock
// that a PLL control value programs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/bios_layout.h"
#include "analysis/registers/pll.h"
#include "formats/table_rows.h"

namespace quarzel {

// The registers' names as the Registers page labels its rows, in
// RegisterIndex order.
inline constexpr auto kRegisterNames = oneRowEach<kRegisterCount, const char*>({
    "PCIInit0", "MiscInit0", "MiscInit1", "DramInit0", "DramInit1", "AgpInit0", "PLLCtrl1", "PLLCtrl2", "SGRAMmode",
});

// "%g MHz"
std::string frequencyText(double megahertz);

// The PLLCtrl1 frequency the page shows after the pass: "%g MHz" when the
// PLL writes were found, else a single blank.
std::string pllFrequencyText(const BiosLayout& layout);

// A register value as the program writes it everywhere: "%08X".
std::string registerHexText(std::uint32_t value);

// What a register not in an image shows for its value and offset.
inline constexpr const char* kNotFound = "not found";

// A register's value as a search leaves it: "%08X" of the value found,
// otherwise "not found".
std::string foundValueText(std::optional<std::uint32_t> value);

// The value of a register the image holds; empty for one it lacks.
std::optional<std::uint32_t> locatedValue(const RegisterEntry& entry);

// A register's value after the pass: foundValueText of the located value.
std::string registerValueText(const BiosLayout& layout, std::size_t index);

}  // namespace quarzel
