// Comparison with a second BIOS on the Registers page: its register values
// in a column beside the page's own, each row marked "equals" or "differs".
#pragma once

namespace quarzel::app {

// Compare: asks for the file and, when it is a BIOS image, shows its
// registers and marks the rows. A cancelled or refused file changes nothing.
void compareWithSecondBios();

// The nine equals/differs labels from registerTable and compareValues;
// nothing before the first comparison.
void updateCompareLabels();

}  // namespace quarzel::app
