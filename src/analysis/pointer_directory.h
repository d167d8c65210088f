// The BIOS's pointer directory: the word at 50h, just before the jump to the
// initialisation, leads to eight words that point at the OEM register
// defaults, the table the BIOS puts in the BIOS data area's save pointer
// (VideoOverrideTable, whose first far pointer is the video parameter
// table), the 8x8, 8x14 and 8x16 fonts, the 8x14 and 8x16 fix-up tables
// and string 2's count word, its text after it. No code of the BIOS reads
// it, yet every 3dfx build keeps it, just before string 1: a second witness
// for what the locators find by their code signatures.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "analysis/bios_layout.h"

namespace quarzel {

inline constexpr std::size_t kDirectoryPointer = 0x50;
inline constexpr std::size_t kDirectoryBytes = 2 * kDirectoryEntries;

// An entry of the directory: its name, its JSON key, what the locators found
// that the entry should point at, what the entry points at, and how the
// layout takes the item from the entry where the locators found nothing
// (nullptr: the entry alone does not say enough).
struct DirectoryEntryRule {
  const char* name;
  const char* key;
  Location (*located)(const BiosLayout& layout);
  Location (*pointsAt)(const Image& image, Offset entry);
  void (*take)(const Image& image, BiosLayout& layout, Offset item);
};
extern const std::array<DirectoryEntryRule, kDirectoryEntries> kDirectoryRules;

// The directory's offset and its eight words, where the word at 50h leads to
// eight words inside the image and the fonts they name follow one another
// as the BIOS lays them out (8x8, 8x14, 8x16): bytes that are no directory
// rarely do. Empty otherwise.
struct PointerDirectory {
  Offset at = 0;
  std::array<Offset, kDirectoryEntries> entries{};
};
std::optional<PointerDirectory> readPointerDirectory(const Image& image);

// How the directory's entry and the locators' finding compare.
enum class Witness {
  Agrees,   // both name the same offset
  Differs,  // they name different ones, or only the locators name one
  Taken,    // the locators found nothing; the layout took the directory's
  Missing,  // the locators found nothing, and the entry alone does not say enough
};
struct DirectoryCheck {
  Witness witness = Witness::Missing;
  Location directory;  // what the entry points at
  Location located;    // what the layout holds
};

// Records the directory in the layout and takes, for each item the locators
// did not find, the directory's word where the entry says enough. The last
// step of the analysis pass.
void locatePointerDirectory(const Image& image, BiosLayout& layout);

// Each entry against the layout; empty without a directory.
std::optional<std::array<DirectoryCheck, kDirectoryEntries>> directoryChecks(const Image& image, const BiosLayout& layout);

}  // namespace quarzel
