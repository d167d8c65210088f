// The refresh rates the Video Modes page offers for a mode: the BIOS's own
// timing first, then every standard one that would change it, each with
// the timing the mode would run at, so the choice is seen before Apply.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "analysis/modes/mode_timing.h"
#include "analysis/modes/video_modes.h"
#include "formats/edit_result.h"

namespace quarzel {

struct RateOption {
  std::optional<unsigned> standard;  // the rate Apply writes; empty for the BIOS's own timing
  std::string label;                 // "60.01 Hz (this BIOS)", "85 Hz"
  std::optional<ModeTiming> timing;  // the mode's timing with this rate; empty where it is refused
  std::optional<EditError> refusal;
};

// None for a mode that is not one of the board's own graphics modes. A
// standard timing that would leave every byte as it is counts as the
// BIOS's own and is not offered again.
std::vector<RateOption> rateOptions(const Image& image, const BiosLayout& layout, const ModeSource& source);

// What the page says a rate makes of the mode: "94.5 MHz, 68.68 kHz,
// 85.00 Hz", or why Apply would refuse it.
std::string rateOptionText(const RateOption& option);

// The VESA numbers of the other modes a rate applied to this one sets too:
// every board mode of its resolution, whatever its colour depth.
std::vector<std::uint16_t> modesChangedWith(const Image& image, const BiosLayout& layout, const ModeSource& source);

}  // namespace quarzel
