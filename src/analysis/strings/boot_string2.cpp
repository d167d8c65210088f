#include "analysis/strings/boot_string2.h"

#include "analysis/strings/boot_string.h"
#include "analysis/strings/boot_string1.h"
#include "formats/near_call.h"

namespace quarzel {

namespace {
// The main code prints at most this many characters of string 2.
constexpr std::uint32_t kString2MaxLength = 120;
}  // namespace

void locateBootString2(const Image& image, BiosLayout& layout) {
  const std::size_t end = searchEnd(image, kSearchMargin);
  BootString& string = layout.bootString2;
  if (const auto match = findFirst(image, kString2Main, end)) {
    const Offset address = *image.word(*match + kString2Operand);
    if (!startsInImage(image, address)) return;
    recordBootString(image, string, address, false);
    string.maxLength = kString2MaxLength;
    // mov cx,es:[bp-2]: the count is the word just before the text, which a
    // string at offset 0 or 1 cannot have.
    if (address >= 2) string.lengthWord = static_cast<Offset>(address - 2);
  } else if (const auto fallback = findFirst(image, kString2Fallback, end)) {
    if (const Offset address = *image.word(*fallback + kString2FallbackOperand); startsInImage(image, address))
      recordBootString(image, string, address, true);
  } else if (const auto silent = findFirst(image, kSilentSignOn, end)) {
    // The sign-on code calls a name printer that prints nothing: the pointer
    // directory may still give the string (pointer_directory.cpp).
    const auto printer = nearCallTarget(image, *silent + kSilentCallAt);
    string.printed = !printer || !kEmptyNamePrinter.matchesAt(image, *printer);
  }
}

}  // namespace quarzel
