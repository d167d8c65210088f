#include "analysis/sample_image.h"

#include <array>
#include <span>
#include <string_view>
#include <utility>

#include "analysis/strings/sign_on_code.h"
#include "analysis/fonts/font_locator.h"
#include "analysis/modes/mode_table_locator.h"
#include "analysis/modes/parameter_entry.h"
#include "analysis/pci_vesa/pcir_locator.h"
#include "analysis/registers/register_locator.h"
#include "analysis/modes/standard_parameter_entries.h"
#include "analysis/pci_vesa/vesa_locator.h"
#include "console_fonts.h"
#include "formats/font_table.h"
#include "formats/near_call.h"
#include "formats/rom_builder.h"
#include "formats/table_rows.h"

namespace quarzel {

namespace {

// Where the sample keeps its items.
constexpr Offset kFont8x8 = 0x1000, kFont8x14 = 0x1800, kFont8x16 = 0x2600;
constexpr Offset kFixup8x14 = 0x3600, kFixup8x16 = 0x3700;
constexpr Offset kPointerTable = 0x3F00, kModeTablePointer = 0x3F10, kRegisterValues = 0x3F80;
constexpr Offset kVideoParameters = 0x4000, kExtendedModes = 0x4A00;
constexpr Offset kVesaTexts = 0x5000, kSignOnAttribute = 0x50F0, kString1 = 0x5100, kString2 = 0x5200;
constexpr Offset kSignOnCode = 0x0100, kNamePrinterCode = 0x0140, kMemorySizeCode = 0x01B0;
constexpr Offset kMemoryText = 0x5280, kSizeTable = 0x52A0, kSizeTexts = 0x52B0, kStrapTable = 0x52D0;
constexpr Offset kFreeSpace = 0x5400, kFreeSpaceEnd = 0x7F00;

constexpr std::string_view kSignOn =
    "quarzel sample BIOS - Version 1.00\r\n"
    "Copyright (C) 2026 the quarzel project\r\n"
    "Not a real board: for trying the editor.\r\n";
constexpr std::string_view kSignOn2 = "3dfx Interactive, Inc.\r\n";
constexpr std::string_view kMemoryLineText = "Video Memory Size: ";
// The sizes the memory line names, in 256 KiB blocks, as the Avenger
// builds list them; DramInit0's strap bits pick one of the strap table's.
constexpr std::pair<std::uint8_t, std::string_view> kSizeNames[] = {{0x10, "4096K"}, {0x20, "8192K"}, {0x40, "16384K"}};
constexpr std::uint8_t kStrapBlocks[] = {0x10, 0x20, 0x20, 0x40};

// Register boot values, in register order.
constexpr auto kRegisterValueTable = oneRowEach<kRegisterCount, std::uint32_t>(
    {0x0184C840, 0x00001000, 0x00008000, 0x0C179A69, 0x00470010, 0x0000049E, 0x00004A0D, 0x00002C09, 0x00000037});

// The fonts of a VGA BIOS in code page 437, by FontSize: Debian's console
// fonts, read at build time (cmake/console_fonts.cmake).
constexpr std::array<std::span<const std::uint8_t>, kFontSizeCount> kFonts{kConsoleFont8x8, kConsoleFont8x14,
                                                                           kConsoleFont8x16};
constexpr bool fontsFit() {
  for (const FontSize size : kFontSizes)
    if (kFonts[size].size() != fontTableBytes(size)) return false;
  return true;
}
static_assert(fontsFit());

// The fix-up tables replace 'M' and 'W' with the font's own glyphs, as a font
// load leaves them, then the 0 terminator.
void putFixups(RomBuilder& rom, Offset at, FontSize size) {
  const std::size_t height = fontHeight(size);
  std::size_t pos = at;
  for (const std::uint8_t code : {std::uint8_t{'M'}, std::uint8_t{'W'}}) {
    rom.byte(pos, code).bytes(pos + 1, kFonts[size].subspan(code * height, height));
    pos += fixupEntryBytes(size);
  }
  rom.byte(pos, 0);
}

// Where the sample keeps the constant of a register.
constexpr std::uint16_t registerValue(RegisterIndex reg) {
  return static_cast<std::uint16_t>(kRegisterValues + 4 * reg);
}

// The relative word of a call near at `at` to `target`.
constexpr std::uint16_t callTo(std::size_t at, std::size_t target) {
  return static_cast<std::uint16_t>(target - (at + kNearCallBytes));
}

// AL and AH of mov ax,0E??h: function 0Eh writes `code`.
constexpr std::uint16_t teletype(char code) { return static_cast<std::uint16_t>(0x0E00 | code); }

// The sign-on as the real builds code it: string 1, then the call of the
// name printer, which prints string 2, the memory line and three line feeds.
void putSignOn(RomBuilder& rom) {
  constexpr std::size_t call = kSignOnCode + kString1CallAt;
  constexpr std::size_t memoryLine = kNamePrinterCode + kNamePrinter.size();
  constexpr std::size_t lineFeeds = memoryLine + kMemoryLine.size();
  rom.place(kString1Main, kSignOnCode,
            {{kString1CountOperand, static_cast<std::uint16_t>(kSignOn.size())},
             {kString1AttributeOperand, kSignOnAttribute},
             {kString1Operand, kString1}})
      .byte(call, kNearCallOpcode)
      .word(call + 1, callTo(call, kNamePrinterCode))
      .place(kNamePrinter, kNamePrinterCode, {{kNameAttributeOperand, kSignOnAttribute}, {kNameOperand, kString2}})
      .place(kMemoryLine, memoryLine,
             {{kMemoryCountOperand, static_cast<std::uint16_t>(kMemoryLineText.size())},
              {kMemoryTextOperand, kMemoryText},
              {kMemoryCallOperand, callTo(memoryLine + kMemoryCallOperand - 1, kMemorySizeCode)},
              {kMemoryTableOperand, kSizeTable}})
      .place(kTeletypeCall, lineFeeds, {{kTeletypeCodeOperand, teletype('\r')}})
      .place(kTeletypeCall, lineFeeds + kTeletypeCall.size(), {{kTeletypeCodeOperand, teletype('\n')}})
      .place(kTeletypeCall, lineFeeds + 2 * kTeletypeCall.size(), {{kTeletypeCodeOperand, teletype('\n')}})
      .place(kNamePrinterEnd, lineFeeds + 3 * kTeletypeCall.size())
      .place(kStrappedMemorySize, kMemorySizeCode, {{kStrapTableOperand, kStrapTable}})
      .text(kMemoryText, kMemoryLineText)
      .bytes(kStrapTable, kStrapBlocks);
  std::size_t text = kSizeTexts;
  for (std::size_t i = 0; i < std::size(kSizeNames); ++i) {
    const auto& [blocks, name] = kSizeNames[i];
    const std::size_t entry = kSizeTable + kMemorySizeEntryBytes * i;
    rom.byte(entry, blocks).word(entry + 1, static_cast<std::uint16_t>(text));
    rom.byte(text, static_cast<std::uint8_t>(name.size())).text(text + 1, name, false);
    text += 1 + name.size();
  }
}

void putCode(RomBuilder& rom) {
  putSignOn(rom);
  rom.place(kPciSignature, 0x0200, {{kPciInit0Operand, registerValue(PCIInit0)}})
      .place(kMemorySignature, 0x0220,
             {{kMemoryDramInit0Operand, registerValue(DramInit0)},
              {kMemoryMiscInit0Operand, registerValue(MiscInit0)},
              {kMemorySgramModeOperand, registerValue(SGRAMmode)}})
      .place(kPllShortSignature, 0x0260,
             {{kPllShortMiscInit1Operand, registerValue(MiscInit1)},
              {kPllShortAgpInit0Operand, registerValue(AgpInit0)},
              {kPllShortPllCtrl1Operand, registerValue(PLLCtrl1)}})
      .place(kPllCtrl2Write, 0x0260 + kPllCtrl2WritePosition, {{kPllCtrl2Operand, registerValue(PLLCtrl2)}})
      .place(kDramInit1Signature, 0x02C0, {{kDramInit1Operand, registerValue(DramInit1)}})
      .place(kFontSignature1, 0x0300, {{kFont1Font8x8Operand, kFont8x8}, {kFont1PointerTableOperand, kPointerTable}})
      .place(kFontSignature3, 0x0330, {{kFont3Font8x14Operand, kFont8x14}, {kFont3Font8x16Operand, kFont8x16}})
      .place(kFontSignature4, 0x0350, {{kFont4Fixup8x14Operand, kFixup8x14}, {kFont4Fixup8x16Operand, kFixup8x16}})
      .place(kModeTableSignature, 0x0380, {{kModeTablePointerOperand, kModeTablePointer}})
      .place(kVesaPattern1, 0x0400,
             {{kVesa1VendorInfoOperand, kVesaTexts},
              {kVesa1VendorNameOperand, kVesaTexts + 0x40},
              {kVesa1ProductNameOperand, kVesaTexts + 0x60},
              {kVesa1ProductRevisionOperand, kVesaTexts + 0x80}});
}

void putData(RomBuilder& rom) {
  rom.word(0x18, 0x0060)  // the header's pointer to the PCI data structure
      .text(0x0048, "12/08/26", false)
      .place(kPcirSignature, 0x0060)
      .word(0x0060 + kPcirVendorId, k3dfxVendorId).word(0x0060 + kPcirDeviceId, 0x0005)  // Avenger
      .word(0x6A, 0x0018).bytes(0x6D, {0x00, 0x00, 0x03})
      .word(0x70, 0x0040).word(0x72, 0x0100).bytes(0x74, {0x00, 0x80})
      .byte(kSignOnAttribute, 0x07)  // light grey on black, as the cards print it
      .text(kString1, kSignOn)
      .word(kString2 - 2, static_cast<std::uint16_t>(kSignOn2.size()))
      .text(kString2, kSignOn2)
      .text(kVesaTexts, "quarzel sample board")
      .text(kVesaTexts + 0x40, "3dfx Interactive, Inc.")
      .text(kVesaTexts + 0x60, "Voodoo3")
      .text(kVesaTexts + 0x80, "Version 1.00")
      .word(kPointerTable, kVideoParameters)
      .word(kModeTablePointer, kExtendedModes)
      .fill(kFreeSpace, kFreeSpaceEnd - kFreeSpace, 0xFF);
  for (std::size_t i = 0; i < kRegisterCount; ++i) rom.dword(kRegisterValues + 4 * i, kRegisterValueTable[i]);
  for (const StandardParameterEntry& entry : standardParameterEntries())
    for (std::size_t row = entry.firstEntry; row <= entry.lastEntry; ++row)
      rom.place(entry.bytes, kVideoParameters + row * kParameterEntryBytes);
  // Extended records 9 and 47: 640 x 480 at 8 and 16 bits per pixel, native.
  rom.bytes(kExtendedModes + 5 * 9, {0x09, 0x00, 0x00, 0x00, 0x00});
  rom.bytes(kExtendedModes + 5 * 47, {0x0B, 0x00, 0x00, 0x00, 0x00});
}

}  // namespace

Image sampleImage() {
  RomBuilder rom(32768);
  putCode(rom);
  putData(rom);
  rom.bytes(kFont8x8, kFonts[Font8x8]).bytes(kFont8x14, kFonts[Font8x14]).bytes(kFont8x16, kFonts[Font8x16]);
  putFixups(rom, kFixup8x14, Font8x14);
  putFixups(rom, kFixup8x16, Font8x16);
  return rom.build();
}

}  // namespace quarzel
