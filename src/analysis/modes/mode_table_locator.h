// The board's mode tables: the extended mode table of per-mode records
// (native-mode flags, CRTC 1Bh, a parameter-table index, a PLL value) and
// the mode information table that names each mode's record.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

// push cs; pop es; mov bx,pointers; jmp short. The word at `pointers` is the
// extended table's offset; the one 4 bytes on, the mode information table's.
inline constexpr Signature kModeTableSignature{"0E 07 BB ?? ?? EB"};
inline constexpr std::size_t kModeTablePointerOperand = 3;  // the mov bx immediate
inline constexpr std::size_t kModeInfoPointer = 4;          // from `pointers`, past the extended table's far pointer
// The mode set's look-up of a mode's record: movzx ax,es:[bx+1]; mov cl,size;
// mul cl (3F29h in Agp_sg.rom).
inline constexpr Signature kRecordStrideSignature{"26 0F B6 47 01 B1 ?? F6 E1"};
inline constexpr std::size_t kRecordStrideOperand = 6;  // the mov cl immediate

// The BIOS's answer to the VBE pixel clock query (3998h in Agp_sg.rom): mov
// eax,40000000 for text modes; je; mov eax,limit for the others.
inline constexpr Signature kPixelClockLimitSignature{"66 B8 00 5A 62 02 74 06 66 B8 ?? ?? ?? ??"};
inline constexpr std::size_t kPixelClockLimitOperand = 10;  // the second mov eax immediate

void locateExtendedModeTable(const Image& image, BiosLayout& layout);

}  // namespace quarzel
