// Writing register values back into the image, from the texts of the
// Registers page or rebuilt from a register's bit fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "analysis/bios_layout.h"
#include "formats/edit_result.h"

namespace quarzel {

// Apply of one row of the Registers page: the value in registerTable takes
// the text read as hexadecimal (readHexNumber) and, when the register was located, is stored there
// little-endian. An unlocated register (PLLCtrl2 unless pllCtrl2Located)
// keeps the new value in the table only and reports NotLocated, and so does
// one whose constant lies past the end of the loaded image (PastImageEnd);
// a text without a number changes nothing.
EditResult applyRegisterText(Image& image, BiosLayout& layout, std::size_t index, std::string_view text);
EditResult applyRegisterValue(Image& image, BiosLayout& layout, std::size_t index, std::uint32_t value);

// Restore of the Registers page: every located register takes its value
// from the image again.
void reloadRegisterValues(const Image& image, BiosLayout& layout);

}  // namespace quarzel
