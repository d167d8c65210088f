#include "analysis/modes/standard_parameter_entries.h"

#include "analysis/modes/parameter_entry.h"

namespace quarzel {

namespace {

// IBM's VGA BIOS video parameter table (IBM VGA Technical Reference). Its
// other rows, 08h-0Ch (modes the VGA lacks) and 0Fh-10h (modes 0Fh and 10h
// on a 64 KiB EGA), the VGA never uses; 3dfx's BIOSes keep VESA modes there.
// Each entry: columns, rows - 1, character height, regen length; sequencer
// 1-4, Misc Output; CRTC 0-24; attribute controller 0-19; graphics 0-8.
constexpr StandardParameterEntry kEntries[] = {
    // 00h and 01h: 40x25 text, 200 lines (CGA emulation)
    {0x00, 0x01,
     "28 18 08 00 08  09 03 00 02  63"
     "  2D 27 28 90 2B A0 BF 1F 00 C7 06 07 00 00 00 00 9C 8E 8F 14 1F 96 B9 A3 FF"
     "  00 01 02 03 04 05 06 07 10 11 12 13 14 15 16 17 08 00 0F 00"
     "  00 00 00 00 00 10 0E 00 FF"},
    // 02h and 03h: 80x25 text, 200 lines
    {0x02, 0x03,
     "50 18 08 00 10  01 03 00 02  63"
     "  5F 4F 50 82 55 81 BF 1F 00 C7 06 07 00 00 00 00 9C 8E 8F 28 1F 96 B9 A3 FF"
     "  00 01 02 03 04 05 06 07 10 11 12 13 14 15 16 17 08 00 0F 00"
     "  00 00 00 00 00 10 0E 00 FF"},
    // 04h and 05h: 320x200, 4 colours
    {0x04, 0x05,
     "28 18 08 00 40  09 03 00 02  63"
     "  2D 27 28 90 2B 80 BF 1F 00 C1 00 00 00 00 00 00 9C 8E 8F 14 00 96 B9 A2 FF"
     "  00 13 15 17 02 04 06 07 10 11 12 13 14 15 16 17 01 00 03 00"
     "  00 00 00 00 00 30 0F 00 FF"},
    // 06h: 640x200, 2 colours
    {0x06, 0x06,
     "50 18 08 00 40  01 01 00 06  63"
     "  5F 4F 50 82 54 80 BF 1F 00 C1 00 00 00 00 00 00 9C 8E 8F 28 00 96 B9 C2 FF"
     "  00 17 17 17 17 17 17 17 17 17 17 17 17 17 17 17 01 00 01 00"
     "  00 00 00 00 00 00 0D 00 FF"},
    // 07h: 80x25 monochrome text, 350 lines
    {0x07, 0x07,
     "50 18 0E 00 10  00 03 00 03  A6"
     "  5F 4F 50 82 55 81 BF 1F 00 4D 0B 0C 00 00 00 00 83 85 5D 28 0D 63 BA A3 FF"
     "  00 08 08 08 08 08 08 08 10 18 18 18 18 18 18 18 0E 00 0F 08"
     "  00 00 00 00 00 10 0A 00 FF"},
    // 0Dh: 320x200, 16 colours
    {0x0D, 0x0D,
     "28 18 08 00 20  09 0F 00 06  63"
     "  2D 27 28 90 2B 80 BF 1F 00 C0 00 00 00 00 00 00 9C 8E 8F 14 00 96 B9 E3 FF"
     "  00 01 02 03 04 05 06 07 10 11 12 13 14 15 16 17 01 00 0F 00"
     "  00 00 00 00 00 00 05 0F FF"},
    // 0Eh: 640x200, 16 colours
    {0x0E, 0x0E,
     "50 18 08 00 40  01 0F 00 06  63"
     "  5F 4F 50 82 54 80 BF 1F 00 C0 00 00 00 00 00 00 9C 8E 8F 28 00 96 B9 E3 FF"
     "  00 01 02 03 04 05 06 07 10 11 12 13 14 15 16 17 01 00 0F 00"
     "  00 00 00 00 00 00 05 0F FF"},
    // 0Fh: 640x350 monochrome
    {0x11, 0x11,
     "50 18 0E 00 80  01 0F 00 06  A2"
     "  5F 4F 50 82 54 80 BF 1F 00 40 00 00 00 00 00 00 83 85 5D 28 0F 63 BA E3 FF"
     "  00 08 00 00 18 18 00 00 00 08 00 00 00 18 00 00 0B 00 05 00"
     "  00 00 00 00 00 00 05 05 FF"},
    // 10h: 640x350, 16 colours
    {0x12, 0x12,
     "50 18 0E 00 80  01 0F 00 06  A3"
     "  5F 4F 50 82 54 80 BF 1F 00 40 00 00 00 00 00 00 83 85 5D 28 0F 63 BA E3 FF"
     "  00 01 02 03 04 05 14 07 38 39 3A 3B 3C 3D 3E 3F 01 00 0F 00"
     "  00 00 00 00 00 00 05 0F FF"},
    // 0* and 1*: 40x25 text, 350 lines
    {0x13, 0x14,
     "28 18 0E 00 08  09 03 00 02  A3"
     "  2D 27 28 90 2B A0 BF 1F 00 4D 0B 0C 00 00 00 00 83 85 5D 14 1F 63 BA A3 FF"
     "  00 01 02 03 04 05 14 07 38 39 3A 3B 3C 3D 3E 3F 08 00 0F 00"
     "  00 00 00 00 00 10 0E 00 FF"},
    // 2* and 3*: 80x25 text, 350 lines
    {0x15, 0x16,
     "50 18 0E 00 10  01 03 00 02  A3"
     "  5F 4F 50 82 55 81 BF 1F 00 4D 0B 0C 00 00 00 00 83 85 5D 28 1F 63 BA A3 FF"
     "  00 01 02 03 04 05 14 07 38 39 3A 3B 3C 3D 3E 3F 08 00 0F 00"
     "  00 00 00 00 00 10 0E 00 FF"},
    // 0+ and 1+: 40x25 text, 400 lines
    {0x17, 0x17,
     "28 18 10 00 08  08 03 00 02  67"
     "  2D 27 28 90 2B A0 BF 1F 00 4F 0D 0E 00 00 00 00 9C 8E 8F 14 1F 96 B9 A3 FF"
     "  00 01 02 03 04 05 14 07 38 39 3A 3B 3C 3D 3E 3F 0C 00 0F 08"
     "  00 00 00 00 00 10 0E 00 FF"},
    // 2+ and 3+: 80x25 text, 400 lines
    {0x18, 0x18,
     "50 18 10 00 10  00 03 00 02  67"
     "  5F 4F 50 82 55 81 BF 1F 00 4F 0D 0E 00 00 00 00 9C 8E 8F 28 1F 96 B9 A3 FF"
     "  00 01 02 03 04 05 14 07 38 39 3A 3B 3C 3D 3E 3F 0C 00 0F 08"
     "  00 00 00 00 00 10 0E 00 FF"},
    // 7+: 80x25 monochrome text, 400 lines
    {0x19, 0x19,
     "50 18 10 00 10  00 03 00 02  66"
     "  5F 4F 50 82 55 81 BF 1F 00 4F 0D 0E 00 00 00 00 9C 8E 8F 28 0F 96 B9 A3 FF"
     "  00 08 08 08 08 08 08 08 10 18 18 18 18 18 18 18 0E 00 0F 08"
     "  00 00 00 00 00 10 0A 00 FF"},
    // 11h: 640x480, 2 colours
    {0x1A, 0x1A,
     "50 1D 10 00 A0  01 0F 00 06  E3"
     "  5F 4F 50 82 54 80 0B 3E 00 40 00 00 00 00 00 00 EA 8C DF 28 00 E7 04 C3 FF"
     "  00 3F 3F 3F 3F 3F 3F 3F 3F 3F 3F 3F 3F 3F 3F 3F 01 00 0F 00"
     "  00 00 00 00 00 00 05 01 FF"},
    // 12h: 640x480, 16 colours
    {0x1B, 0x1B,
     "50 1D 10 00 A0  01 0F 00 06  E3"
     "  5F 4F 50 82 54 80 0B 3E 00 40 00 00 00 00 00 00 EA 8C DF 28 00 E7 04 E3 FF"
     "  00 01 02 03 04 05 14 07 38 39 3A 3B 3C 3D 3E 3F 01 00 0F 00"
     "  00 00 00 00 00 00 05 0F FF"},
    // 13h: 320x200, 256 colours
    {0x1C, 0x1C,
     "28 18 08 00 20  01 0F 00 0E  63"
     "  5F 4F 50 82 54 80 BF 1F 00 41 00 00 00 00 00 00 9C 8E 8F 28 40 96 B9 A3 FF"
     "  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 41 00 0F 00"
     "  00 00 00 00 00 40 05 0F FF"},
};

constexpr bool wholeEntries() {
  for (const StandardParameterEntry& entry : kEntries) {
    if (entry.bytes.size() != kParameterEntryBytes) return false;
    for (std::size_t i = 0; i < entry.bytes.size(); ++i)
      if (!entry.bytes.compared(i)) return false;
  }
  return true;
}
static_assert(wholeEntries(), "every standard entry is 64 bytes, all given");

}  // namespace

std::span<const StandardParameterEntry> standardParameterEntries() { return kEntries; }

}  // namespace quarzel
