// What the BIOS's pointer directory (formats/pointer_directory.h) says of
// the items: a second witness for what the locators find by their code
// signatures, and the source of an item where they find none.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "analysis/bios_layout.h"
#include "formats/pointer_directory.h"

namespace quarzel {

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
