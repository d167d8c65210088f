// A mode's refresh rate set to a standard one: the timing written into the
// parameter entries and extended records of every colour depth of a
// resolution of the board's own modes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/bios_layout.h"
#include "analysis/modes/mode_info_table.h"
#include "analysis/modes/mode_timing.h"
#include "analysis/modes/standard_timings.h"
#include "formats/edit_result.h"

namespace quarzel {

// The highest pixel clock where the BIOS does not say (the Banshee and
// Voodoo3 builds' figure).
inline constexpr double kDefaultPixelClockLimitMHz = 160.0;

struct Resolution {
  unsigned width, height;
  friend bool operator==(const Resolution&, const Resolution&) = default;
};

// A standard timing a resolution can take: its own, or, for a mode the chip
// shows with doubled lines, that of twice its size with the horizontal half.
struct TimingChoice {
  const StandardTiming* timing;
  bool halved;
};

// The resolutions of the board's own graphics modes, in the order of the
// BIOS's mode table, with the standard timings each can take.
struct ResolutionTimings {
  Resolution resolution;
  std::vector<TimingChoice> choices;
};
std::vector<ResolutionTimings> resolutionTimings(const Image& image, const BiosLayout& layout);
std::vector<TimingChoice> timingChoices(const Image& image, const BiosLayout& layout, Resolution resolution);

// The board's own graphics modes of a resolution, every colour depth: a rate
// applied to one of them is written into all of them.
std::vector<ModeInfo> boardModesOf(const Image& image, const BiosLayout& layout, Resolution resolution);

// "1024x768@85", the resolution and rate as edit --refresh takes them.
struct RefreshSetting {
  Resolution resolution;
  unsigned refresh;
};
std::string refreshText(const RefreshSetting& setting);
std::optional<RefreshSetting> parseRefreshText(std::string_view text);

// The standard rate a mode of the resolution runs at: the timing whose
// totals it has and whose refresh it reaches within 0.5 Hz; empty for any
// other timing.
std::optional<unsigned> standardRefresh(const Image& image, const BiosLayout& layout, Resolution resolution,
                                        const ModeTiming& timing);

// Writes the standard timing of `refresh` Hz into every mode of the
// resolution: the CRTC values (with the overflow bits and CRTC 1Bh of the
// records), the sync polarities and the PLL clock selected in Misc Output,
// and the nearest PLL value in each record. Refuses, writing nothing: no mode
// tables, no such resolution or rate, a record layout without a PLL word, an
// entry or record past the image's end, a parameter entry shared with another
// resolution, a clock past the BIOS's own limit.
EditResult applyRefresh(Image& image, const BiosLayout& layout, Resolution resolution, unsigned refresh);

}  // namespace quarzel
