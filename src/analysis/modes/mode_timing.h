// What a mode puts on the monitor: the pixel clock the card runs and the CRT
// timing that the mode's CRTC values make of it, in the figures a monitor's
// own display shows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "analysis/modes/extended_record.h"
#include "analysis/modes/parameter_entry.h"

namespace quarzel {

// The VGA's two crystal clocks, chosen by bits 2 and 3 of Misc Output.
inline constexpr double kVgaClocksMHz[] = {25.175, 28.322};

// The clock, the totals and the display count one unit, the picture's
// pixels: where the sequencer halves the dot clock (modes 0, 1, 4, 5, 0Dh)
// or a pixel takes two dots (mode 13h), the pixel clock is the crystal's
// divided.
struct ModeTiming {
  // Empty where Misc Output selects the PLL and the record gives it no value:
  // pllCtrl0 then keeps whatever the mode before had set.
  std::optional<double> pixelClockMHz;
  unsigned clockDivisor = 1;  // the crystal or PLL clock over the pixel clock
  unsigned horizontalTotal = 0, horizontalDisplay = 0;  // pixels a line
  unsigned verticalTotal = 0, verticalDisplay = 0;      // scan lines a frame
  unsigned width = 0, height = 0;                       // the picture, in its own pixels
  std::optional<double> lineRateKHz, refreshHz;
};

// The timing of a parameter entry with the extended record the mode set
// writes beside it (none where the image has no extended table).
ModeTiming modeTiming(std::span<const std::uint8_t, kParameterEntryBytes> entry,
                      const std::optional<ExtendedRecord>& record);

}  // namespace quarzel
