// Sign-on string 1: the text the BIOS prints first at boot, through
// INT 10h function 13h with the count in CX.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

// mov ax,1301h; xor bh,bh; (cs: attribute load); mov cx,count; sub dx,dx;
// mov bp,cs; mov es,bp; mov bp,string; int 10h
inline constexpr Signature kString1Main{
    "B8 01 13 2A FF 2E ?? ?? ?? ?? B9 ?? ?? 2B D2 8C CD 8E C5 BD ?? ?? CD 10"};
inline constexpr std::size_t kString1CountOperand = 11, kString1Operand = 20;
// The address in mov bl,cs:[attribute] (2E 8A 1E): the byte string 1 is
// printed in.
inline constexpr std::size_t kString1AttributeOperand = 8;
// The sign-on code of a build that keeps its strings but prints neither (the
// Compaq build of 2.15.05): AX, the attribute and CX are loaded for string 1,
// the mov bp,string; int 10h are missing, and the call after them goes to
// the name printer, there pusha; popa; ret.
inline constexpr Signature kSilentSignOn{"B8 01 13 2A FF 2E ?? ?? ?? ?? B9 ?? ?? 2B D2 8C CD 8E C5 E8 ?? ??"};
inline constexpr std::size_t kSilentCallAt = 19;  // its call near to the name printer
inline constexpr Signature kEmptyNamePrinter{"60 61 C3"};
// rep movsw; mov ax,string; call near; mov cl,7
inline constexpr Signature kString1Fallback{"F3 A5 B8 ?? ?? E8 ?? ?? B1 07"};
inline constexpr std::size_t kString1FallbackOperand = 3;

// Fills bootString1, bootCodeAddress and the Logo page's text lines.
void locateBootString1(const Image& image, BiosLayout& layout);

// The Logo page starts from the sign-on text: its first three CR LF lines,
// then the two fixed lines a 3dfx BIOS prints beneath them.
std::array<std::string, kLogoLines> logoLinesFrom(const std::string& text);

}  // namespace quarzel
