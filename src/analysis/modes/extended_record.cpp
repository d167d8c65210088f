#include "analysis/modes/extended_record.h"

namespace quarzel {

const ExtendedRecordLayout* extendedRecordLayout(std::size_t size) {
  for (const ExtendedRecordLayout& layout : kExtendedRecordLayouts)
    if (layout.size == size) return &layout;
  return nullptr;
}

std::optional<ExtendedRecord> readExtendedRecord(const Image& image, std::size_t at, std::size_t size) {
  const ExtendedRecordLayout* layout = extendedRecordLayout(size);
  if (!layout || !Image::fits(at, size)) return std::nullopt;
  return ExtendedRecord{image.bytes[at + kRecordFlagsByte], image.bytes[at + kRecordCrtc1BByte],
                        image.bytes[at + layout->parameterIndex], *image.word(at + layout->pll)};
}

}  // namespace quarzel
