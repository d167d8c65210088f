// Writing the boot-up strings and the BIOS date back into the image, where
// the analysis pass found them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "analysis/bios_layout.h"
#include "formats/edit_result.h"

namespace quarzel {

// Clears the string's max length bytes, writes the text cut to max length
// and a zero byte as writeTextField does, and stores the new length in its count word when it
// has one, so the BIOS prints exactly the new text. Bytes past the end of
// the loaded image, the count word's too, are dropped; a string that starts
// there is refused (PastImageEnd).
EditResult applyBootString(Image& image, const BootString& string, std::string_view text);
// What the page and the command line say of a string the BIOS keeps but does
// not print (BootString::printed): an edit is written all the same, since
// the bytes are the BIOS's own, with this warning.
inline constexpr const char* kNotPrintedNote = "this BIOS keeps it but does not print it: the card will not show it";

// Copies at most 8 characters into the date, zero-padded to 8 bytes; the
// date text of the layout follows. A date not wholly inside the image is
// refused (PastImageEnd).
EditResult applyBiosDate(Image& image, BiosDate& date, std::string_view text);

// A text rewritten in place: `fieldLength` bytes at `address` filled with
// `fill`, the text cut to that length over them, then one zero byte right
// after the text where that byte is still the item's own: inside the field
// or the text that stood there with its zero byte. Bytes that would pass the
// end of the loaded image are dropped: they would never reach the saved file.
// Returns the ranges written: the field, and the zero byte when it lies
// past the field.
std::vector<ByteRange> writeTextField(Image& image, Offset address, std::size_t fieldLength,
                                      std::uint8_t fill, std::string_view text);

}  // namespace quarzel
