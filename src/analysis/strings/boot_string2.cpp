#include "analysis/strings/boot_string2.h"

#include "analysis/strings/boot_string.h"
#include "analysis/strings/sign_on_code.h"

namespace quarzel {

namespace {

// The main code prints at most this many characters of string 2.
constexpr std::uint32_t kString2MaxLength = 120;

void recordMainString2(const Image& image, BootString& string, Offset address) {
  if (!startsInImage(image, address)) return;
  recordBootString(image, string, address, kString2MaxLength);
  // mov cx,es:[bp-2]: the count is the word just before the text, which a
  // string at offset 0 or 1 cannot have.
  if (address >= 2) string.lengthWord = static_cast<Offset>(address - 2);
}

}  // namespace

void locateBootString2(const Image& image, BiosLayout& layout) {
  BootString& string = layout.bootString2;
  const auto code = findSignOnCode(image, layout.logo);
  const auto printer = code ? code->printer : std::nullopt;
  const std::size_t end = searchEnd(image, kSearchMargin);
  if (printer && kNamePrinter.matchesAt(image, *printer)) {
    recordMainString2(image, string, *image.word(*printer + kNameOperand));
  } else if (printer && kEmptyNamePrinter.matchesAt(image, *printer)) {
    // The sign-on code calls a name printer that prints nothing: the pointer
    // directory may still give the string (pointer_directory.cpp).
    string.printed = false;
  } else if (const auto match = findFirst(image, kString2Main, end)) {
    recordMainString2(image, string, *image.word(*match + kString2Operand));
  } else if (const auto fallback = findFirst(image, kString2Fallback, end)) {
    if (const Offset address = *image.word(*fallback + kString2FallbackOperand); startsInImage(image, address))
      recordBootString(image, string, address, std::nullopt);
  }
}

}  // namespace quarzel
