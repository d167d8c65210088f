// Two images' video modes compared row by row of the Video Modes page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"

namespace quarzel {

// One value of a row in both images: the page's label of its group
// ("CRTC") and, in a group of several, the register's number.
struct ModeValueChange {
  std::string group;
  std::optional<std::size_t> index;
  std::string a, b;
  std::string name() const;  // "CRTC 9"
};

struct ModeRowDiff {
  std::size_t row;                      // in kVideoModes
  std::vector<ModeValueChange> entry;   // from the parameter entry
  std::vector<ModeValueChange> record;  // from the extended record
  std::vector<ModeValueChange> result;  // what the BIOS makes of them: numbers, clock, timing
  // Where each image keeps the row's parameter entry: rows that share both
  // share their entry's differences.
  std::optional<std::size_t> entryA, entryB;
  std::string headingA, headingB;  // see modeHeading

  // The row's heading, with both numbers where the images number its mode
  // otherwise: "Mode 120h/180h  - 320x200 8 bpp (8x8 Font)".
  std::string heading() const;
};

// The rows whose parameter entry, extended record or reading differs, with
// the values that differ. A table is compared only when both images have it
// located. Besides the page's values, the record bits the page does not show.
std::vector<ModeRowDiff> differingModes(const Image& a, const BiosLayout& layoutA, const Image& b,
                                        const BiosLayout& layoutB);

}  // namespace quarzel
