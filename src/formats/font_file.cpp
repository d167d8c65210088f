#include "formats/font_file.h"

namespace quarzel {

std::optional<FontSize> fontSizeOfFileLength(std::size_t length) {
  for (const FontSize size : {Font8x8, Font8x14, Font8x16}) {
    if (length == fontTableBytes(size)) return size;
  }
  return std::nullopt;
}

}  // namespace quarzel
