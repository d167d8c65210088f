// Sign-on string 2, printed with its count loaded from the word before it.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

// mov ax,1301h; mov dx,[cursor]; mov bp,string; mov cx,es:[bp-2]; int 10h
inline constexpr Signature kString2Main{"B8 01 13 8B 16 ?? ?? BD ?? ?? 26 8B 4E FE CD 10"};
inline constexpr std::size_t kString2Operand = 8;
// rep movsw; mov ax,string; call near; popa
inline constexpr Signature kString2Fallback{"F3 A5 B8 ?? ?? E8 ?? ?? 61"};
inline constexpr std::size_t kString2FallbackOperand = 3;

void locateBootString2(const Image& image, BiosLayout& layout);

}  // namespace quarzel
