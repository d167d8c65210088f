// What differs between two BIOS images, item by item: every item the
// analysis pass locates in either image, compared in the terms its page
// shows it, and the bytes outside every item compared one by one. Items
// are compared by what they hold, wherever each image keeps them.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "analysis/compare/font_diff.h"
#include "analysis/compare/item_ranges.h"
#include "analysis/compare/mode_diff.h"
#include "analysis/pci_vesa/pcir_fields.h"
#include "analysis/registers/register_compare.h"
#include "formats/edit_result.h"
#include "formats/font_table.h"

namespace quarzel {

enum class Verdict { Same, Differs, OnlyA, OnlyB, Neither };

// Where an item lies in each image (empty where it was not located), and
// how the two compare.
struct ItemPlaces {
  Location a, b;
  Verdict verdict = Verdict::Neither;
};

// A sign-on string, the date or a VESA string: the text as it stands (the
// date's eight bytes without the zero bytes that end them), and the count
// word of a sign-on string whose BIOS passes one.
struct TextDiff : ItemPlaces {
  std::string textA, textB;
  std::optional<std::uint16_t> countA, countB;
};

// quarzel's logo (the places are its blocks): its picture and its lines.
struct LogoDiff : ItemPlaces {
  std::optional<LogoBlockView> blockA, blockB;
  bool pictureDiffers = false;        // its size or a pixel
  std::vector<std::size_t> lines;     // the lines that differ, 0 to 4
};

struct RegisterDiff : ItemPlaces {
  std::uint32_t valueA = 0, valueB = 0;
  std::vector<FieldChange> fields;  // the bit-field rows whose numbers differ
};

struct FontDiff : ItemPlaces {
  std::vector<std::uint8_t> glyphs;  // character codes
};

struct FixupDiff : ItemPlaces {
  std::size_t sizeA = 1, sizeB = 1;  // as the locator measures them
  FixupChanges changes;
};

struct PcirDiff : ItemPlaces {
  PcirFields fieldsA, fieldsB;
  std::vector<std::size_t> rows;  // of kPcirFieldRows, whose value or name differs
};

struct ChecksumByte {
  std::optional<std::size_t> offset;  // see checksumOffset
  std::uint8_t value = 0;
  bool ok = false;  // the ROM adds up to 0
};
struct ChecksumDiff {
  ChecksumByte a, b;
  Verdict verdict = Verdict::Neither;  // Differs also when it lies elsewhere
};

struct BiosDiff {
  std::size_t sizeA = 0, sizeB = 0, romLengthA = 0, romLengthB = 0;
  TextDiff string1, string2, date;
  LogoDiff logo;
  std::array<RegisterDiff, kRegisterCount> registers;
  std::array<FontDiff, kFontSizeCount> fonts;
  std::array<FixupDiff, kFontSizeCount> fixups;  // the 8x8 font has none
  PcirDiff pcir;
  std::array<TextDiff, kVesaStringCount> vesa;
  ItemPlaces videoParameterTable, extendedModeTable;  // Same when both are located
  std::size_t extendedRecordBytesA = 0, extendedRecordBytesB = 0;
  std::vector<ModeRowDiff> modes;
  ChecksumDiff checksum;
  // Runs of bytes that differ and that no item reported as differing holds,
  // up to the end of the larger image: past the smaller one's end every
  // byte counts. Mostly bytes outside every item; also those under an item
  // that is the same in both images but kept elsewhere in the other.
  std::vector<ByteRange> rest;
  std::bitset<kImageCapacity> inItems;  // the bytes of an item of either image
  bool identical = false;               // the same size and the same bytes
};

BiosDiff diffBios(const Image& a, const BiosLayout& layoutA, const Image& b, const BiosLayout& layoutB);

// The verdict on the video parameter table or the extended mode table by
// their values: one located in both whose entries (records) differ in a
// row differs, though it lies in the same place; otherwise its place's.
Verdict tableVerdict(const BiosDiff& diff, DiffItem table);
// True for a table located in the same place in both images: what differs
// in it is told by the mode rows.
bool toldByRows(const BiosDiff& diff, const ItemRef& ref);

// Every item that differs or is located in one image only, in the order
// above; a table with the verdict tableVerdict gives it.
std::vector<ItemRef> differences(const BiosDiff& diff);

// The rest for reading: runs less than `gap` equal bytes apart, with no
// item's byte between them, joined into one region.
struct RestRegion {
  std::size_t offset = 0, length = 0;
  std::size_t differing = 0;  // bytes of the region that differ
};
std::vector<RestRegion> restRegions(const BiosDiff& diff, std::size_t gap);

}  // namespace quarzel
