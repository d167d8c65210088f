// Writing a VESA OEM string back in place.
#pragma once

#include <string_view>

#include "analysis/bios_layout.h"
#include "formats/edit_result.h"

namespace quarzel {

// Fills the string's max length bytes with blanks, then writes the text
// (cut to max length) and one zero byte over them. A string that starts past
// the image's end is refused (PastImageEnd).
EditResult applyVesaString(Image& image, const VesaString& string, std::string_view text);

}  // namespace quarzel
