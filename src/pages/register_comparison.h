// Comparison with a second BIOS on the Registers page: its register values
// in a column beside the page's own, each row marked "equals" or "differs".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quarzel::app {

// Compare: asks for the file and, when it is a BIOS image, shows its
// registers and marks the rows. A cancelled or refused file changes nothing.
void compareWithSecondBios();

// The nine equals/differs labels from registerTable and the second BIOS's
// values; nothing before the first comparison.
void updateCompareLabels();

// The second BIOS's value of a register; empty before the first comparison
// and where the second BIOS lacks the register.
std::optional<std::uint32_t> comparedValue(std::size_t index);

// No comparison, as when the page is made.
void forgetComparison();

}  // namespace quarzel::app
