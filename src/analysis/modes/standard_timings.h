// The VESA display monitor timings a tuner sets a mode to: per resolution
// and refresh, the pixel clock, the totals, where the syncs start and how
// long they last, and their polarities.
#pragma once

#include <span>

namespace quarzel {

struct StandardTiming {
  unsigned width, height, refresh;  // refresh in whole Hz, as the timing is named
  double pixelClockMHz;
  unsigned horizontalTotal, horizontalSyncStart, horizontalSyncWidth;  // in pixels
  unsigned verticalTotal, verticalSyncStart, verticalSyncWidth;        // in lines
  bool horizontalSyncPositive, verticalSyncPositive;
};

// VESA DMT, in the order of resolution and refresh.
std::span<const StandardTiming> standardTimings();

}  // namespace quarzel
