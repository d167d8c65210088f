#include "analysis/strings/boot_string1.h"

#include <string>

#include "analysis/strings/boot_string.h"
#include "analysis/strings/sign_on_code.h"
#include "formats/pointer_directory.h"

namespace quarzel {

std::array<std::string, kLogoLines> logoLinesFrom(const std::string& text) {
  std::array<std::string, kLogoLines> lines;
  std::size_t start = 0;
  for (std::size_t line = 0; line < 3; ++line) {
    if (start > text.size()) return lines;
    const std::size_t cr = text.find('\r', start);
    if (cr == std::string::npos) return lines;
    lines[line] = text.substr(start, cr - start);
    start = cr + 2;  // past the LF
  }
  lines[3] = "3dfx Interactive, Inc.";
  lines[4] = "Total video memory:";
  return lines;
}

namespace {

// Where the sign-on code no longer prints string 1, its text still stands
// where every build keeps it, after the pointer directory and a zero byte,
// as long as the count the code loads.
void locateSilentString1(const Image& image, std::size_t match, BootString& string) {
  const auto directory = readPointerDirectory(image);
  if (!directory) return;
  const std::size_t address = directory->at + kDirectoryBytes + 1;
  const auto count = image.word(match + kString1CountOperand);
  if (!startsInImage(image, address) || image.bytes[address - 1] != 0 || !count ||
      image.textLength(address) != std::size_t{*count})
    return;
  recordBootString(image, string, static_cast<Offset>(address), image.bytes[match + kString1CountOperand]);
  string.lengthWord = static_cast<Offset>(match + kString1CountOperand);
  string.printed = false;
}

}  // namespace

void locateBootString1(const Image& image, BiosLayout& layout) {
  BootString& string = layout.bootString1;
  const auto& logo = layout.logo;
  // Under a logo the code is the one its block keeps: the string and its
  // count are edited there, and the call stands where the code was. A block
  // of an earlier version keeps none, and string 1 is not found.
  const auto code = findSignOnCode(image, logo);
  if (code && code->printsString1) {
    layout.bootCodeAddress = static_cast<Offset>(code->at);
    if (const Offset address = *image.word(code->at + kString1Operand); startsInImage(image, address)) {
      // The count operand of mov cx; only its low byte limits the text.
      recordBootString(image, string, address, image.bytes[code->at + kString1CountOperand]);
      string.lengthWord = static_cast<Offset>(code->at + kString1CountOperand);
      if (!logo) layout.logoLines = logoLinesFrom(image.text(address));
    }
  } else if (code) {
    locateSilentString1(image, code->at, string);
  } else if (!logo) {
    if (const auto fallback = findFirst(image, kString1Fallback, searchEnd(image, kSearchMargin)))
      if (const Offset address = *image.word(*fallback + kString1FallbackOperand); startsInImage(image, address))
        recordBootString(image, string, address, std::nullopt);
  }
  if (logo) layout.bootCodeAddress = logo->call;
}

}  // namespace quarzel
