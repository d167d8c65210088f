// BiosLayout: where the analysis pass found each item of the BIOS image.
//
// Every location is an offset into the 64 KiB image buffer, or empty when the
// item was not found. The record describes the image as it was at the last
// pass; edits write through these offsets without running the pass again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "formats/font_table.h"
#include "formats/image.h"
#include "formats/logo_block.h"
#include "formats/pointer_directory.h"

namespace quarzel {

using Location = std::optional<Offset>;

// A sign-on string printed through INT 10h function 13h.
struct BootString {
  Location address;
  Location lengthWord;         // the count the BIOS passes to the write-string call
  std::uint32_t maxLength = 0;  // bytes an edit may write
  std::int32_t length = 0;      // current length up to the zero byte
  // False where the BIOS keeps the string but its code no longer prints it
  // (the Compaq build of 2.15.05).
  bool printed = true;
};

inline constexpr std::size_t kBiosDateLength = 8;  // "mm/dd/yy"

struct BiosDate {
  Location address;
  std::array<char, kBiosDateLength + 1> text{};  // the date's characters, zero-padded
  std::uint32_t maxLength = 0;
};

// The nine chip registers, in the order used everywhere.
enum RegisterIndex : std::size_t {
  PCIInit0, MiscInit0, MiscInit1, DramInit0, DramInit1, AgpInit0, PLLCtrl1, PLLCtrl2, SGRAMmode,
};
inline constexpr std::size_t kRegisterCount = 9;

inline constexpr std::size_t kRegisterBytes = 4;  // each value is a 32-bit constant
struct RegisterEntry {
  Location location;        // offset of the 32-bit constant the BIOS writes
  std::uint32_t value = 0;  // current value; 0 while not located
};

// The VESA OEM strings, in the order the controller information lists them.
enum VesaIndex : std::size_t { VendorInfo, VendorName, ProductName, ProductRevision };
inline constexpr std::size_t kVesaStringCount = 4;

struct VesaString {
  Location address;
  std::uint32_t maxLength = 0;  // the length found: an edit can never be longer
};

// The alternate glyphs that the 8x14 and 8x16 fonts take from a table of
// (code, glyph rows) entries; size counts the bytes up to and including the
// 0 code byte that ends it, or those of its whole entries inside the image
// where no such byte stands there (fixupEntries).
struct FixupTable {
  Location location;
  std::size_t size = 1;
};

// A logo block of quarzel's that the sign-on call leads to.
struct InstalledLogo {
  Offset call;          // the call that stands where the sign-on code was
  LogoBlockView block;
};

// An extended mode record without the byte that 6-byte builds leave unused;
// the size assumed where the BIOS does not give one.
inline constexpr std::size_t kShortRecordBytes = 5;

struct BiosLayout {
  // Boot-up strings and date.
  BootString bootString1;
  Location bootCodeAddress;  // the matched string-1 code, patched by the logo
  BootString bootString2;
  BiosDate biosDate;
  // The Logo page's text lines: those of an installed logo, else the ones
  // taken from the sign-on string.
  std::array<std::string, kLogoLines> logoLines;
  std::optional<InstalledLogo> logo;

  // Registers.
  std::array<RegisterEntry, kRegisterCount> registerTable{};
  bool pllCtrl2Located = false;

  // Fonts, their fix-up tables and the VGA video parameter table.
  std::array<Location, kFontSizeCount> fonts{};  // indexed by FontSize
  std::array<FixupTable, kFontSizeCount> fixups{};  // the 8x8 font has none
  Location videoParameterTable;

  Location pcir;
  std::array<VesaString, kVesaStringCount> vesa{};

  // The board's mode tables and the size of an extended record, which most
  // builds make 6 bytes and some makers' own 5.
  Location extendedModeTable;
  Location modeInfoTable;
  std::size_t extendedRecordBytes = kShortRecordBytes;
  // The highest pixel clock the BIOS gives its graphics modes, where its
  // code says; 160 MHz in every build seen.
  std::optional<std::uint32_t> pixelClockLimitHz;

  // The BIOS's pointer directory, and which of its entries gave the layout
  // an item that no locator found.
  Location pointerDirectory;
  std::array<bool, kDirectoryEntries> fromDirectory{};
};

}  // namespace quarzel
