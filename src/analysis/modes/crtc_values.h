// The CRTC values of a parameter entry as whole numbers: horizontal ones in
// characters, vertical ones in lines, with their overflow bits joined in.
#pragma once

#include <cstdint>
#include <span>

#include "analysis/modes/parameter_entry.h"

namespace quarzel {

struct CrtcValues {
  // Characters, as CRTC 0 to 5 hold them: the total less 5, the display end,
  // the blanking start and end, the sync start and end. The blanking end
  // keeps 6 bits, the sync end 5.
  unsigned hTotal = 0, hDisplayEnd = 0, hBlankStart = 0, hBlankEnd = 0, hSyncStart = 0, hSyncEnd = 0;
  // Lines, as CRTC 6, 12h, 15h, 16h, 10h and 11h hold them: the total less 2,
  // the display end, the blanking start and end, the sync start and end. The
  // blanking end keeps 8 bits, the sync end 4; the others take bit 10 from
  // CRTC 1Bh.
  unsigned vTotal = 0, vDisplayEnd = 0, vBlankStart = 0, vBlankEnd = 0, vSyncStart = 0, vSyncEnd = 0;
};

// A field of the values and how many of its low bits the registers keep (0:
// all of them).
struct CrtcField {
  unsigned CrtcValues::*value;
  unsigned bits;
};
// The blanking and sync fields: what a parameter entry may place otherwise
// than a timing's plain figures.
inline constexpr CrtcField kPlacementFields[] = {
    {&CrtcValues::hBlankStart, 0}, {&CrtcValues::hBlankEnd, 6},   {&CrtcValues::hSyncStart, 0},
    {&CrtcValues::hSyncEnd, 5},    {&CrtcValues::vBlankStart, 0}, {&CrtcValues::vBlankEnd, 8},
    {&CrtcValues::vSyncStart, 0},  {&CrtcValues::vSyncEnd, 4},
};

// The values of an entry whose record gives `crtc1B`.
CrtcValues readCrtcValues(std::span<const std::uint8_t, kParameterEntryBytes> entry, std::uint8_t crtc1B);
// Writes them into the entry's CRTC bytes, keeping the bits of those
// registers that hold something else (skew, line compare, protect, scan
// doubling ...).
void writeCrtcValues(std::span<std::uint8_t, kParameterEntryBytes> entry, const CrtcValues& values);
// CRTC 1Bh with the four bits 10 of `values` and the other bits of `crtc1B`.
std::uint8_t crtc1BWith(std::uint8_t crtc1B, const CrtcValues& values);

}  // namespace quarzel
