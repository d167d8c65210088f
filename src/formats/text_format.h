// printf-style formatting into a std::string, so that every text the pages
// show ("%04X" offsets, "%08X" values, "%g MHz") comes out exactly as the C
// library formats it.
#pragma once

#include <string>

namespace quarzel {

// MinGW builds use its C99 printf (__USE_MINGW_ANSI_STDIO), so "%zu" and
// "%g" are checked as GNU formats there, not as the Microsoft ones.
#if defined(__MINGW32__)
__attribute__((format(gnu_printf, 1, 2)))
#elif defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string formatText(const char* format, ...);

}  // namespace quarzel
