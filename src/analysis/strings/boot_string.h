// What the two sign-on string locators record alike.
#pragma once

#include <algorithm>
#include <optional>
#include <string>

#include "analysis/bios_layout.h"

namespace quarzel {

// A text is found where its first byte lies inside the image; it ends at the
// image's end, as the zero fill ends it, and an edit cuts it there.
inline bool startsInImage(const Image& image, std::size_t address) { return image.holds(address, 1); }

// The string at `address` with its current length, up to `maxLength`, the
// field the code prints by a count: a text an edit wrote to fill the whole
// field has no zero byte after it, and the byte that follows belongs to
// something else. A fallback match gives no count to rewrite, so its text
// can never grow: without a max length, the length found is the limit.
inline void recordBootString(const Image& image, BootString& string, Offset address,
                             std::optional<std::uint32_t> maxLength) {
  const auto found = static_cast<std::uint32_t>(image.textLength(address));
  string.address = address;
  string.maxLength = maxLength.value_or(found);
  string.length = static_cast<std::int32_t>(std::min(found, string.maxLength));
}

// The string's text as it stands in its field, for the same reason.
inline std::string fieldText(const Image& image, const BootString& string) {
  return image.text(*string.address).substr(0, string.maxLength);
}

}  // namespace quarzel
