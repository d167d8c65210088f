// The hex listing as Rich Text: the Dump page's RichEdit control takes the
// text and its colours in one stream, which costs a fraction of colouring
// range after range through the selection.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/dump_highlights.h"

namespace quarzel {

// The colour of each listing character: 0 plain, 1 + the Mark of the last
// range over it (the range shown wins over the changed bytes inside it).
std::vector<std::uint8_t> characterColours(const std::vector<Highlight>& list, std::size_t size);

// The RGB (0xRRGGBB) of changed and shown text; plain text keeps the
// control's automatic colour.
using DumpPalette = std::array<std::uint32_t, 2>;

// Lines [first, last) of `listing`, each character in its colour, for a
// control to hold alone. The stream names no font: the text keeps the
// control's own, and plain text is in the control's own format, which keeps
// the control's line height that of the text. The last line's CR LF is left
// out: the control's own last paragraph mark ends it.
std::string dumpRtf(std::string_view listing, const std::vector<std::uint8_t>& colours, std::size_t first,
                    std::size_t last, const DumpPalette& palette);

}  // namespace quarzel
