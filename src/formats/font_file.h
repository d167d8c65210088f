// Font files (.fnt): one bare font table, whose length tells its height.
#pragma once

#include <cstddef>
#include <optional>

#include "formats/font_table.h"

namespace quarzel {

// 2048 -> 8x8, 3584 -> 8x14, 4096 -> 8x16; any other length is no font.
std::optional<FontSize> fontSizeOfFileLength(std::size_t length);

}  // namespace quarzel
