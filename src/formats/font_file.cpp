#include "formats/font_file.h"

namespace quarzel {

std::optional<FontSize> fontSizeOfFileLength(std::size_t length) {
  for (const FontSize size : kFontSizes) {
    if (length == fontTableBytes(size)) return size;
  }
  return std::nullopt;
}

}  // namespace quarzel
