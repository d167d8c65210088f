#include "analysis/modes/mode_table_locator.h"

#include "analysis/modes/mode_info_table.h"

namespace quarzel {

// The code loads the address of the far pointers to both tables.
void locateExtendedModeTable(const Image& image, BiosLayout& layout) {
  const auto match = findFirst(image, kModeTableSignature, searchEnd(image, kSearchMargin));
  if (!match) return;
  // The operand lies inside the match; the words it names may not fit the buffer.
  const auto pointers = image.word(*match + kModeTablePointerOperand);
  layout.extendedModeTable = image.word(*pointers);
  // A mode table stands after the ROM header and holds modes up to its end
  // mark: a build without one leaves other words there.
  const auto modeInfo = image.word(*pointers + kModeInfoPointer);
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
  if (const auto limit = findFirst(image, kPixelClockLimitSignature, image.end()))
    layout.pixelClockLimitHz = *image.dword(*limit + kPixelClockLimitOperand);
}

}  // namespace quarzel
