#include "analysis/fonts/fixup_table.h"

namespace quarzel {

FixupEntries fixupEntries(const Image& image, Location table, FontSize size) {
  FixupEntries walk;
  if (!table) return walk;
  const std::size_t end = image.end();
  std::size_t entry = *table;
  while (entry < end && image.bytes[entry] != 0 && fixupEntryBytes(size) <= end - entry) {
    walk.entries.push_back(entry);
    entry += fixupEntryBytes(size);
  }
  walk.end = entry;
  walk.terminated = entry < end && image.bytes[entry] == 0;
  return walk;
}

}  // namespace quarzel
