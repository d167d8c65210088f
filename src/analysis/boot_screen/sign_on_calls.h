// What the sign-on code prints, read from its code: string 1 through the
// call the string locator matched, then the name printer it calls (string
// 2, the memory line and the line feeds after them), each with the
// position, count and attribute its operands give.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

// One INT 10h call: function 13h writes `text` (at `position`, or at the
// cursor where none is given); function 0Eh writes one code at the cursor.
struct SignOnPrint {
  std::optional<std::uint16_t> position;  // DX: row, column
  std::uint8_t attribute = 0x07;
  std::vector<std::uint8_t> text;
  bool teletype = false;
};

// The BIOS counts the card's memory in 256 KiB blocks.
inline constexpr std::uint32_t kBlocksPerMegabyte = 4, kKilobytesPerBlock = 256;

// The memory size the BIOS works with, and whether the image fixes it
// (else it is the card's, as the caller chose it).
struct MemorySize {
  std::uint32_t blocks = 0;
  bool fromImage = false;
};

struct SignOn {
  bool found = false;  // sign-on code this program knows; prints may still be none
  std::vector<SignOnPrint> prints;
  std::optional<MemorySize> memory;  // where the code asks
};

// The name printer: mov bl,es:[attribute]; mov ax,1301h; mov dx,[0450h]
// (the cursor); mov bp,name; mov cx,es:[bp-2]; int 10h.
inline constexpr Signature kNamePrinter{"60 2A FF 26 8A 1E ?? ?? B8 01 13 8B 16 50 04 BD ?? ?? 26 8B 4E FE CD 10"};
inline constexpr std::size_t kNameAttributeOperand = 6, kNameOperand = 16;
// The memory line after it: "Video Memory Size: " at the cursor, then the
// size's text from a table of (256 KiB blocks, text) entries, at the cursor
// again.
inline constexpr Signature kMemoryLine{
    "8B 16 50 04 B8 01 13 B9 ?? ?? BD ?? ?? CD 10 E8 ?? ?? BD ?? ?? 26 80 7E 00 00 74 ?? 26 38 46 00 "
    "74 05 83 C5 03 EB EE 45 26 8B 6E 00 B4 03 CD 10 B8 01 13 26 8A 4E 00 2A ED 45 CD 10"};
inline constexpr std::size_t kMemoryCountOperand = 8, kMemoryTextOperand = 11, kMemoryCallOperand = 16,
                             kMemoryTableOperand = 19;
// mov ax,0E??h; int 10h: one teletype code.
inline constexpr Signature kTeletypeCall{"B8 ?? 0E CD 10"};
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

SignOn readSignOn(const Image& image, const BiosLayout& layout, std::uint32_t memoryMegabytes);

}  // namespace quarzel
