#include "cli/boot/boot_floppy.h"

#include <algorithm>
#include <iterator>

namespace quarzel::cli {

std::vector<std::uint8_t> bootFloppy(std::optional<std::uint16_t> mode) {
  std::vector<std::uint8_t> sector = {0x87, 0xDB};  // xchg bx,bx: the magic break
  if (mode) {
    const std::uint8_t setMode[] = {
        0x31, 0xC0,                                                 // xor ax,ax
        0x8E, 0xD8,                                                 // mov ds,ax
        0xB8, 0x02, 0x4F,                                           // mov ax,4F02h: VESA set mode
        0xBB, static_cast<std::uint8_t>(*mode), static_cast<std::uint8_t>(*mode >> 8),  // mov bx,mode
        0xCD, 0x10,                                                 // int 10h
        0xA3, kModeAnswer & 0xFF, kModeAnswer >> 8,                 // mov [kModeAnswer],ax
        0x87, 0xDB};                                                // xchg bx,bx
    sector.insert(sector.end(), std::begin(setMode), std::end(setMode));
  }
  sector.insert(sector.end(), {0xEB, 0xFE});  // jmp $
  std::vector<std::uint8_t> floppy(1474560, 0);
  std::copy(sector.begin(), sector.end(), floppy.begin());
  floppy[510] = 0x55;
  floppy[511] = 0xAA;
  return floppy;
}

}  // namespace quarzel::cli
