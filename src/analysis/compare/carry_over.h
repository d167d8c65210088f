// The edits that make the located items of one image (A) hold what those
// of another (B) hold, and what they cannot make equal, with the reason.
// The edits are made on a copy of A, in the order and with the checksum fix
// of a batch edit, and the copy is compared with B again: what still
// differs is exactly what was not carried.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/compare/bios_diff.h"
#include "analysis/modes/refresh_edit.h"
#include "analysis/registers/register_fields.h"

namespace quarzel {

// The groups of items an edit can carry.
enum CarryGroup : std::size_t { CarryStrings, CarryRegisters, CarryFonts, CarryVesa, CarryModes };
inline constexpr std::size_t kCarryGroupCount = 5;
using CarryGroups = std::array<bool, kCarryGroupCount>;

struct CarryOptions {
  CarryGroups groups{true, true, true, true, true};
  bool fonts = true;  // false: the caller cannot take B's fonts along
};

// A sign-on string, the date or a VESA string, and B's text for it.
struct TextCarry {
  ItemRef item;
  std::string text;
};

// B's value of a register; `fields`, when not empty, are the rows of its
// bit fields (indices into its table) that reach B's value from A's, so that
// the edit can name them instead of the whole value.
struct RegisterCarry {
  std::size_t index;
  std::uint32_t value;
  std::vector<RowNumber> fields;
};

// B's standard refresh rate for a resolution of the board's modes, found
// in the row named.
struct RefreshCarry {
  ItemRef item;
  RefreshSetting setting;
};

struct FontCarry {
  FontSize size;
  std::vector<std::uint8_t> glyphs;  // B's table
};

enum class CarryRefusal {
  NotInA,         // located in B only
  NotInB,         // located in A only: B holds nothing to carry
  TooLong,        // B's text is longer than A's field
  FontsLeftOut,   // CarryOptions::fonts was false
  FollowsFonts,   // no edit writes a fix-up table; a font edit copies the font's glyphs into it
  FollowsRows,    // a table in its place in both: it differs in the mode rows not carried
  NoEdit,         // no edit writes it: sizes, PCIR, video modes, bytes outside the items
  Checksum,       // the batch edit sets it from the other bytes
  NoChecksumFix,  // A's ROM length byte is 0 or above 80h: a batch edit cannot save A
  StillDiffers,   // the edit was made and the item differs all the same
};

struct NotCarried {
  ItemRef item;
  CarryRefusal reason;
  std::size_t textLength = 0, fieldLength = 0;  // TooLong: B's text, A's field
};

struct CarryOver {
  std::vector<TextCarry> strings;  // string 1, string 2, the date
  std::vector<RegisterCarry> registers;
  std::vector<TextCarry> vesa;
  std::vector<RefreshCarry> refreshes;
  std::vector<FontCarry> fonts;
  // What still differs in the groups asked for (and, when all of them were
  // asked, everything else that differs), in the order of `differences`.
  std::vector<NotCarried> notCarried;
};

CarryOver carryOver(const Image& a, const BiosLayout& layoutA, const Image& b, const BiosLayout& layoutB,
                    const CarryOptions& options);

// A with the edits made and its checksum fixed; empty when A's ROM length
// byte leaves no checksum to fix.
std::optional<Image> carriedImage(const Image& a, const BiosLayout& layoutA, const CarryOver& edits);

}  // namespace quarzel
