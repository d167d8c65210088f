#include "analysis/modes/mode_table_locator.h"

#include <algorithm>

#include "analysis/modes/mode_info_table.h"

namespace quarzel {

// The code loads the address of the far pointers to both tables. Each word
// is taken only from the image, and a table only where it starts inside it.
void locateExtendedModeTable(const Image& image, BiosLayout& layout) {
  const auto match = findFirst(image, kModeTableSignature, searchEnd(image, kSearchMargin));
  if (!match) return;
  // The operand lies inside the match; the words it names may not.
  const std::size_t pointers = *image.word(*match + kModeTablePointerOperand);
  // A mode table stands after the ROM header and holds modes up to its end
  // mark: a build without one leaves other words there.
  const auto modeInfo = image.loadedWord(pointers + kModeInfoPointer);
  if (modeInfo && *modeInfo > 0) {
    const auto modes = modeInfoRecords(image, *modeInfo);
    if (modes && !modes->empty()) layout.modeInfoTable = modeInfo;
  }
  // FindExtraModeData multiplies by the byte just before the mode
  // information table; the mode set itself by the immediate of its own
  // look-up, which decides where the card's values come from.
  if (layout.modeInfoTable) layout.extendedRecordBytes = image.bytes[*layout.modeInfoTable - 1u];
  if (const auto stride = findFirst(image, kRecordStrideSignature, image.end()))
    layout.extendedRecordBytes = image.bytes[*stride + kRecordStrideOperand];
  // The extended table's first record lies inside the image (its first byte,
  // for records of a size the builds do not use).
  const auto table = image.loadedWord(pointers);
  if (table && image.holds(*table, std::max<std::size_t>(layout.extendedRecordBytes, 1)))
    layout.extendedModeTable = table;
  // The whole instruction lies inside the image, its immediate last.
  if (const auto limit = findFirst(image, kPixelClockLimitSignature, searchEnd(image, kPixelClockLimitSignature.size() - 1)))
    layout.pixelClockLimitHz = *image.dword(*limit + kPixelClockLimitOperand);
}

}  // namespace quarzel
