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
// Where each pattern holds a string's 16-bit address, counted from the match.
inline constexpr std::size_t kVesa1VendorInfoOperand = 1, kVesa1VendorNameOperand = 31, kVesa1ProductNameOperand = 45,
                             kVesa1ProductRevisionOperand = 59;
// mov di,si; four word stores into the information block, the fourth the
// OEM string's offset; then the store of cs.
inline constexpr Signature kVesaPattern2{
    "8B FE 26 C7 05 ?? ?? 26 C7 45 ?? ?? ?? 26 C7 45 ?? ?? ?? 26 C7 45 ?? ?? ?? 26 8C 4D"};
inline constexpr std::size_t kVesa2VendorInfoOperand = 23;
// Three string copies: mov si,string; mov cx,count; rep movsb; store.
inline constexpr Signature kVesaPattern3{
    "BE ?? ?? B9 ?? ?? F3 A4 26 89 ?? ?? BE ?? ?? B9 ?? ?? F3 A4 26 89 ?? ?? BE ?? ?? B9 ?? ?? F3 A4"};
inline constexpr std::size_t kVesa3VendorNameOperand = 1, kVesa3ProductNameOperand = 13,
                             kVesa3ProductRevisionOperand = 25;

void locateVesaStrings(const Image& image, BiosLayout& layout);

}  // namespace quarzel
