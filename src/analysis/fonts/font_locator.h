// The three VGA text fonts, their fix-up tables and the VGA video parameter
// table, found through the code that loads their addresses.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

// The kFontN...Operand constants beside signature N give where in a match
// the 16-bit address of that font or table sits.

// Two far pointers stored, then sti: the 8x8 font and the pointer table
// whose first word is the video parameter table.
inline constexpr Signature kFontSignature1{
    "C7 06 ?? ?? ?? ?? 8C 0E ?? ?? C7 06 ?? ?? ?? ?? 8C 0E ?? ?? FB"};
inline constexpr std::size_t kFont1Font8x8Operand = 4, kFont1PointerTableOperand = 14;
// mov di,font8x8; mov bh,8; mov al,[mem]; cmp al,9
inline constexpr Signature kFontSignature2{"BF ?? ?? B7 08 A0 ?? ?? 3C 09"};
inline constexpr std::size_t kFont2Font8x8Operand = 1;
// mov bh,14; mov di,font8x14; cmp al,14; jbe; mov bh,16; mov di,font8x16
inline constexpr Signature kFontSignature3{"B7 0E BF ?? ?? 3C 0E 76 ?? B7 10 BF ?? ??"};
inline constexpr std::size_t kFont3Font8x14Operand = 3, kFont3Font8x16Operand = 12;
// mov di,fixup8x14; mov bh,14; cmp word [mem],14; jbe; mov di,fixup8x16; mov bh,16
inline constexpr Signature kFontSignature4{"BF ?? ?? B7 0E 83 3E ?? ?? 0E 76 ?? BF ?? ?? B7 10"};
inline constexpr std::size_t kFont4Fixup8x14Operand = 1, kFont4Fixup8x16Operand = 13;
// mov bh,rows; mov si,font; jmp short -- for 14, 8 and 16 rows
inline constexpr Signature kFontSignature5{
    "B7 0E BE ?? ?? EB ?? B7 08 BE ?? ?? EB ?? B7 10 BE ?? ??"};
inline constexpr std::size_t kFont5Font8x14Operand = 3, kFont5Font8x8Operand = 10, kFont5Font8x16Operand = 17;
// mov ax,font; cmp bl,8; je; mov ax,font; cmp bl,14; je; mov ax,font
inline constexpr Signature kFontSignature6{
    "B8 ?? ?? 80 FB 08 74 ?? B8 ?? ?? 80 FB 0E 74 ?? B8 ?? ??"};
inline constexpr std::size_t kFont6Font8x8Operand = 1, kFont6Font8x14Operand = 9, kFont6Font8x16Operand = 17;

// Fills the font, fix-up and video parameter table entries.
void locateFonts(const Image& image, BiosLayout& layout);

}  // namespace quarzel
