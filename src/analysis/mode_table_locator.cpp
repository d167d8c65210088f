#include "analysis/mode_table_locator.h"

namespace quarzel {

namespace {
constexpr std::size_t kSearchMargin = 30;
constexpr std::size_t kPointerOperand = 3;  // the mov bx immediate
}  // namespace

// The code loads the address of a word that holds the table's offset.
void locateExtendedModeTable(const Image& image, BiosLayout& layout) {
  const auto match = findFirst(image, kModeTableSignature, searchEnd(image, kSearchMargin));
  if (!match) return;
  // The operand lies inside the match; the word it names may not fit the buffer.
  layout.extendedModeTable = image.word(*image.word(*match + kPointerOperand));
}

}  // namespace quarzel
