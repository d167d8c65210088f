// The video parameter table entries of the standard VGA modes 00h-13h, as
// IBM's VGA BIOS defines them. VGA BIOSes of later boards, 3dfx's among
// them, carry the same 64 bytes in the same rows of their table.
#pragma once

#include <cstddef>
#include <span>

#include "formats/signature.h"

namespace quarzel {

struct StandardParameterEntry {
  std::size_t firstEntry, lastEntry;  // the rows of the table that hold it
  Signature bytes;                    // the 64 bytes, as a listing shows them
};

std::span<const StandardParameterEntry> standardParameterEntries();

}  // namespace quarzel
