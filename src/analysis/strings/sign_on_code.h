// The BIOS's sign-on code, as every build seen lays it out: string 1 printed
// through INT 10h function 13h, then a call of the name printer, which prints
// string 2, the memory line and the line feeds after them. The string
// locators and the boot screen follow it through these signatures and
// findSignOnCode alone, so that they cannot take different bytes for one
// string.
#pragma once

#include <cstddef>
#include <optional>

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
// The call to the name printer follows string 1's int 10h.
inline constexpr std::size_t kString1CallAt = kString1Main.size();

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

// The name printer: pusha; sub bh,bh; mov bl,es:[attribute]; then its print
// call mov ax,1301h; mov dx,[0450h] (the cursor); mov bp,name;
// mov cx,es:[bp-2]; int 10h.
inline constexpr Signature kNamePrinter{"60 2A FF 26 8A 1E ?? ?? B8 01 13 8B 16 50 04 BD ?? ?? 26 8B 4E FE CD 10"};
inline constexpr std::size_t kNameAttributeOperand = 6, kNameOperand = 16, kNamePrintCall = 8;
// Its print call alone, with any cursor word: found anywhere, it gives
// string 2 where the sign-on code does not lead to it.
inline constexpr Signature kString2Main{"B8 01 13 8B 16 ?? ?? BD ?? ?? 26 8B 4E FE CD 10"};
inline constexpr std::size_t kString2Operand = 8;
static_assert([] {
  for (std::size_t i = 0; i < kString2Main.size(); ++i)
    if (kString2Main.compared(i) && (!kNamePrinter.compared(kNamePrintCall + i) ||
                                     kNamePrinter.byte(kNamePrintCall + i) != kString2Main.byte(i)))
      return false;
  return kNamePrintCall + kString2Operand == kNameOperand;
}(), "string 2's main signature is the name printer's print call");
// rep movsw; mov ax,string; call near; popa
inline constexpr Signature kString2Fallback{"F3 A5 B8 ?? ?? E8 ?? ?? 61"};
inline constexpr std::size_t kString2FallbackOperand = 3;

// The memory line after the name: "Video Memory Size: " at the cursor, then
// the size's text from a table of (256 KiB blocks, text) entries, at the
// cursor again.
inline constexpr Signature kMemoryLine{
    "8B 16 50 04 B8 01 13 B9 ?? ?? BD ?? ?? CD 10 E8 ?? ?? BD ?? ?? 26 80 7E 00 00 74 ?? 26 38 46 00 "
    "74 05 83 C5 03 EB EE 45 26 8B 6E 00 B4 03 CD 10 B8 01 13 26 8A 4E 00 2A ED 45 CD 10"};
inline constexpr std::size_t kMemoryCountOperand = 8, kMemoryTextOperand = 11, kMemoryCallOperand = 16,
                             kMemoryTableOperand = 19;
// A table entry: the size's low byte, the word address of its text (a count
// byte, then the characters); a 0 byte ends the table.
inline constexpr std::size_t kMemorySizeEntryBytes = 3;
// Where a maker's build prints no memory line, it hides the cursor instead:
// mov dx,3D4h; mov ax,200Ah; out dx,ax (CRTC 0Ah, cursor off).
inline constexpr Signature kCursorOff{"BA D4 03 B8 0A 20 EF"};
// mov ax,0E??h; int 10h: one teletype code.
inline constexpr Signature kTeletypeCall{"B8 ?? 0E CD 10"};
inline constexpr std::size_t kTeletypeCodeOperand = 1;
// popa; ret: the name printer's end.
inline constexpr Signature kNamePrinterEnd{"61 C3"};

// Before string 1, some makers' builds put the memory size into its text:
// call size; shr ax,2 (MB); cmp ax,N; jne; two bytes stored into the string.
inline constexpr Signature kMemoryPatch{"E8 ?? ?? C1 E8 02 83 F8 ?? 75 0C 2E C6 06 ?? ?? ?? 2E C6 06 ?? ?? ??"};
inline constexpr std::size_t kPatchMegabytesOperand = 8, kPatchStores = 11, kPatchStoreBytes = 6;
// The memory size routines: a fixed size (mov ax,blocks; ret), or DramInit0's
// bits 26-27 (the chips' count and size) looked up in a table of four.
inline constexpr Signature kFixedMemorySize{"B8 ?? ?? C3"};
inline constexpr Signature kStrappedMemorySize{
    "53 52 E8 ?? ?? 83 C2 18 66 ED 66 C1 E8 1A 83 E0 03 8B D8 2E 8A 87 ?? ??"};
inline constexpr std::size_t kStrapTableOperand = 22;

// The sign-on code found: the first that prints string 1, else the silent
// build's. Under a logo it is the copy the logo's block keeps, whose call
// still counts from where the code stood, and the silent code is not looked
// for (a logo is installed only over a code that prints).
struct SignOnCode {
  std::size_t at = 0;        // its bytes
  bool printsString1 = true;  // false: the silent build's
  std::size_t call = 0;       // where the call after string 1 lies
  std::optional<std::size_t> printer;  // where that call leads; none without a call near
};
std::optional<SignOnCode> findSignOnCode(const Image& image, const std::optional<InstalledLogo>& logo);

}  // namespace quarzel
