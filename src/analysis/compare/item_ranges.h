// The bytes each located item takes in its image, as a comparison of two
// images reads them. Bytes outside all of them are compared one by one.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/bios_layout.h"
#include "formats/edit_result.h"

namespace quarzel {

// One item of a BiosDiff: `index` picks the register, font size, VESA
// string or mode row.
enum class DiffItem {
  ImageSize,
  RomLength,
  String1,
  String2,
  Date,
  Logo,
  Register,
  Font,
  Fixup,
  Pcir,
  Vesa,
  VideoParameterTable,
  ExtendedModeTable,
  Mode,
  Checksum,
  Rest,
};
struct ItemRef {
  DiffItem item;
  std::size_t index = 0;
  friend bool operator==(const ItemRef&, const ItemRef&) = default;
};

// A text up to its zero byte, the zero byte included (a text that runs to
// the end of the buffer ends there).
ByteRange textRange(const Image& image, Offset address);

// The last byte of the ROM length, which makes the ROM add up to 0; empty
// when the length is 0 or reaches past the image.
std::optional<std::size_t> checksumOffset(const Image& image);

// The sign-on strings with their count words, the date, the registers, the
// fonts, the fix-up tables up to their 0 code byte, the PCI data structure
// without its reserved word, the VESA strings, the parameter entries and
// extended records of the 55 video modes and the checksum byte, each with
// the item it belongs to. Every range lies inside the buffer.
struct ItemBytes {
  ItemRef item;
  ByteRange range;
};
std::vector<ItemBytes> itemRanges(const Image& image, const BiosLayout& layout);

}  // namespace quarzel
