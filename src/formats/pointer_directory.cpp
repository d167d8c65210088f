#include "formats/pointer_directory.h"

#include "formats/font_table.h"

namespace quarzel {

std::optional<PointerDirectory> readPointerDirectory(const Image& image) {
  constexpr std::size_t kFont8x8Entry = 2;
  const auto at = image.word(kDirectoryPointer);
  if (!at || *at + kDirectoryBytes > image.size) return std::nullopt;
  PointerDirectory directory{*at, {}};
  for (std::size_t i = 0; i < kDirectoryEntries; ++i) {
    directory.entries[i] = *image.word(*at + 2 * i);
    if (directory.entries[i] >= image.size) return std::nullopt;
  }
  std::size_t font = directory.entries[kFont8x8Entry];
  for (const FontSize size : {Font8x8, Font8x14}) {
    font += fontTableBytes(size);
    if (directory.entries[kFont8x8Entry + static_cast<std::size_t>(size) + 1] != font) return std::nullopt;
  }
  return directory;
}

}  // namespace quarzel
