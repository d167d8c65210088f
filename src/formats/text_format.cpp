#include "formats/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace quarzel {

std::string formatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list count;
  va_copy(count, args);
  const int length = std::vsnprintf(nullptr, 0, format, count);
  va_end(count);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  return text;
}

}  // namespace quarzel
