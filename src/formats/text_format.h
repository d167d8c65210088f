// printf-style formatting into a std::string, so that every text the pages
// show ("%04X" offsets, "%08X" values, "%g MHz") comes out exactly as the C
// library formats it.
#pragma once

#include <string>

namespace quarzel {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string formatText(const char* format, ...);

}  // namespace quarzel
