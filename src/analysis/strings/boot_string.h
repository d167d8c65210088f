// What the two sign-on string locators record alike.
#pragma once

#include <algorithm>
#include <string>

#include "analysis/bios_layout.h"

namespace quarzel {

// A text is found where its first byte lies inside the image; it ends at the
// image's end, as the zero fill ends it, and an edit cuts it there.
inline bool startsInImage(const Image& image, std::size_t address) { return image.holds(address, 1); }

// The string at `address` with its current length. A fallback match gives
// no count to rewrite, so its text can never grow: the max length is the
// length found.
inline void recordBootString(const Image& image, BootString& string, Offset address,
                             bool lengthIsLimit) {
  string.address = address;
  string.length = static_cast<std::int32_t>(image.textLength(address));
  if (lengthIsLimit) string.maxLength = static_cast<std::uint32_t>(string.length);
}

// The max length of a string the code prints by a count. A text an edit
// wrote to fill the whole field has no zero byte after it, and the byte
// that follows belongs to something else: the length stops at the field.
inline void limitBootString(BootString& string, std::uint32_t maxLength) {
  string.maxLength = maxLength;
  string.length = std::min(string.length, static_cast<std::int32_t>(maxLength));
}

// The string's text as it stands in its field, for the same reason.
inline std::string fieldText(const Image& image, const BootString& string) {
  return image.text(*string.address).substr(0, string.maxLength);
}

}  // namespace quarzel
