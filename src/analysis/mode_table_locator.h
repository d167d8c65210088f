// The board's extended mode table: 5-byte records of native-mode flags,
// CRTC 1Bh, a parameter-table index and a clock.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

// push cs; pop es; mov bx,pointer; jmp short
inline constexpr Signature kModeTableSignature{"0E 07 BB ?? ?? EB"};

void locateExtendedModeTable(const Image& image, BiosLayout& layout);

}  // namespace quarzel
