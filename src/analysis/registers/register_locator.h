// The boot values of the chip's configuration registers: 32-bit constants
// that the BIOS loads from its code segment and writes with out dx,eax.
#pragma once

#include <array>

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

// Operand bytes that follow the compared code are part of each signature
// (trailing ??), so a match always has its operands inside the buffer. The
// ...Operand constants beside each signature give where in a match the
// 16-bit address of a register's constant sits.

// mov dx,cx; add dx,4; mov eax,cs:[PCIInit0]; or eax,edi; out dx,eax
inline constexpr Signature kPciSignature{"8B D1 83 C2 04 66 2E A1 ?? ?? 66 0B C7 66 EF"};
inline constexpr std::size_t kPciInit0Operand = 8;
// in eax,dx; and eax,XX000000h; or eax,cs:[DramInit0]; out dx,eax;
// lea dx,[si+10h]; mov eax,cs:[MiscInit0]; out dx,eax; lea dx,[si+34h];
// mov eax,cs:[SGRAMmode]
inline constexpr Signature kMemorySignature{
    "66 ED 66 25 00 00 00 ?? 66 2E 0B 06 ?? ?? 66 EF 8D 54 10 66 2E A1 ?? ?? 66 EF "
    "8D 54 34 66 2E A1 ?? ??"};
inline constexpr std::size_t kMemoryDramInit0Operand = 12, kMemoryMiscInit0Operand = 22, kMemorySgramModeOperand = 32;
// lea dx,[si+14h]; in eax,dx; and eax,1FF40000h; or eax,cs:[MiscInit1];
// call near; jz short; or eax,8000h; out dx,eax; lea dx,[si+20h];
// mov eax,cs:[AgpInit0]; out dx,eax; lea dx,[si+44h]; mov eax,cs:[PLLCtrl1]
inline constexpr Signature kPllLongSignature{
    "8D 54 14 66 ED 66 25 00 00 F4 1F 66 2E 0B 06 ?? ?? E8 ?? ?? 74 ?? 66 0D 00 80 00 00 "
    "66 EF 8D 54 20 66 2E A1 ?? ?? 66 EF 8D 54 44 66 2E A1 ?? ??"};
inline constexpr std::size_t kPllLongMiscInit1Operand = 15, kPllLongAgpInit0Operand = 36, kPllLongPllCtrl1Operand = 46;
// The same writes without the call, the jump and the or.
inline constexpr Signature kPllShortSignature{
    "8D 54 14 66 ED 66 25 00 00 F4 1F 66 2E 0B 06 ?? ?? 66 EF 8D 54 20 66 2E A1 ?? ?? "
    "66 EF 8D 54 44 66 2E A1 ?? ?? 66 EF"};
inline constexpr std::size_t kPllShortMiscInit1Operand = 15, kPllShortAgpInit0Operand = 25,
                             kPllShortPllCtrl1Operand = 35;
// lea dx,[si+48h]; mov eax,cs:[PLLCtrl2]; out dx,eax -- compared only at
// position 39 of a PLL match.
inline constexpr Signature kPllCtrl2Write{"8D 54 48 66 2E A1 ?? ?? 66 EF"};
inline constexpr std::size_t kPllCtrl2WritePosition = 39, kPllCtrl2Operand = 6;
// add dx,1Ch; in eax,dx; and eax,C2000000h; or eax,cs:[DramInit1]
inline constexpr Signature kDramInit1Signature{"83 C2 1C 66 ED 66 25 00 00 00 C2 66 2E 0B 06 ?? ??"};
inline constexpr std::size_t kDramInit1Operand = 15;

struct RegisterScan {
  std::array<RegisterEntry, kRegisterCount> entries{};
  bool pllCtrl2Located = false;
};

// Runs the register searches over any image: the loaded BIOS or a second
// one for comparison.
RegisterScan scanRegisters(const Image& image);

// Fills registerTable and pllCtrl2Located.
void locateRegisters(const Image& image, BiosLayout& layout);

}  // namespace quarzel
