#include "analysis/pci_vesa/vesa_locator.h"

#include <array>
#include <span>

namespace quarzel {

namespace {
struct StringOperand {
  VesaIndex string;
  std::size_t position;
};

constexpr std::array<StringOperand, 4> kPattern1Strings{{{VendorInfo, kVesa1VendorInfoOperand},
                                                         {VendorName, kVesa1VendorNameOperand},
                                                         {ProductName, kVesa1ProductNameOperand},
                                                         {ProductRevision, kVesa1ProductRevisionOperand}}};
constexpr std::array<StringOperand, 1> kPattern2Strings{{{VendorInfo, kVesa2VendorInfoOperand}}};
constexpr std::array<StringOperand, 3> kPattern3Strings{{{VendorName, kVesa3VendorNameOperand},
                                                         {ProductName, kVesa3ProductNameOperand},
                                                         {ProductRevision, kVesa3ProductRevisionOperand}}};

// The VESA searches stop 70 bytes before the end, more than the longest
// pattern (62 bytes) needs: the program has always searched so, and a
// pattern that starts in the last 70 bytes is not taken.
constexpr std::size_t kVesaSearchMargin = 70;

// The ROM's code segment starts at the image's first byte, so the address
// is the offset in the image. An address at or past the image size names
// bytes that were not loaded from the ROM; such a string is not located.
VesaString stringAt(const Image& image, std::optional<std::uint16_t> address) {
  if (!address || *address >= image.size) return {};
  return {*address, static_cast<std::uint32_t>(image.textLength(*address))};
}

bool takeStrings(const Image& image, const Signature& pattern,
                 std::span<const StringOperand> operands, BiosLayout& layout) {
  const auto match = findFirst(image, pattern, searchEnd(image, kVesaSearchMargin));
  if (!match) return false;
  for (const StringOperand& operand : operands)
    layout.vesa[operand.string] = stringAt(image, image.word(*match + operand.position));
  return true;
}
}  // namespace

void locateVesaStrings(const Image& image, BiosLayout& layout) {
  layout.vesa = {};
  if (takeStrings(image, kVesaPattern1, kPattern1Strings, layout)) return;
  // BIOSes without the pattern-1 routine may still set the OEM string
  // directly and copy the other three: each part is found on its own.
  takeStrings(image, kVesaPattern2, kPattern2Strings, layout);
  takeStrings(image, kVesaPattern3, kPattern3Strings, layout);
}

}  // namespace quarzel
