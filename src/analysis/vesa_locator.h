// The four VESA OEM strings, found through the code that hands their
// addresses to the caller of the controller-information function.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

// Four groups of: mov si,string; call; store es:di as a far pointer.
inline constexpr Signature kVesaPattern1{
    "BE ?? ?? E8 ?? ?? 26 89 7F ?? 26 8C 47 ?? B9 ?? ?? BE ?? ?? F3 A5 26 89 7F ?? 26 8C 47 ?? "
    "BE ?? ?? E8 ?? ?? 26 89 7F ?? 26 8C 47 ?? BE ?? ?? E8 ?? ?? 26 89 7F ?? 26 8C 47 ?? BE ?? ?? E8"};
// mov di,si; four word stores into the information block, the fourth the
// OEM string's offset; then the store of cs.
inline constexpr Signature kVesaPattern2{
    "8B FE 26 C7 05 ?? ?? 26 C7 45 ?? ?? ?? 26 C7 45 ?? ?? ?? 26 C7 45 ?? ?? ?? 26 8C 4D"};
// Three string copies: mov si,string; mov cx,count; rep movsb; store.
inline constexpr Signature kVesaPattern3{
    "BE ?? ?? B9 ?? ?? F3 A4 26 89 ?? ?? BE ?? ?? B9 ?? ?? F3 A4 26 89 ?? ?? BE ?? ?? B9 ?? ?? F3 A4"};

void locateVesaStrings(const Image& image, BiosLayout& layout);

}  // namespace quarzel
