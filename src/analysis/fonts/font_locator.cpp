#include "analysis/fonts/font_locator.h"

#include "analysis/fonts/fixup_table.h"
#include "analysis/modes/parameter_entry.h"
#include "formats/font_table.h"

namespace quarzel {

namespace {

// The 16-bit immediate at `position` of a match; a match lies wholly inside
// the buffer, so its operands can always be read.
Offset operand(const Image& image, std::size_t match, std::size_t position) {
  return *image.word(match + position);
}

// An immediate names a font only when its whole table lies inside the image.
Location fontAt(const Image& image, std::size_t offset, FontSize size) {
  if (!fontTableFits(offset, size, image.size)) return std::nullopt;
  return static_cast<Offset>(offset);
}

Location fixupAt(const Image& image, std::size_t offset) {
  if (offset >= image.size) return std::nullopt;
  return static_cast<Offset>(offset);
}

// Signature 1 sets two far pointers: the 8x8 font and a table whose first
// word is the video parameter table.
void matchInterruptVectors(const Image& image, std::size_t end, BiosLayout& layout) {
  const auto match = findFirst(image, kFontSignature1, end);
  if (!match) return;
  layout.fonts[Font8x8] = fontAt(image, operand(image, *match, kFont1Font8x8Operand), Font8x8);
  layout.videoParameterTable = parameterTableThrough(image, operand(image, *match, kFont1PointerTableOperand));
}

void matchFontSelect8x8(const Image& image, std::size_t end, BiosLayout& layout) {
  if (const auto match = findFirst(image, kFontSignature2, end))
    layout.fonts[Font8x8] = fontAt(image, operand(image, *match, kFont2Font8x8Operand), Font8x8);
}

void matchFontSelect14And16(const Image& image, std::size_t end, BiosLayout& layout) {
  const auto match = findFirst(image, kFontSignature3, end);
  if (!match) return;
  layout.fonts[Font8x14] = fontAt(image, operand(image, *match, kFont3Font8x14Operand), Font8x14);
  layout.fonts[Font8x16] = fontAt(image, operand(image, *match, kFont3Font8x16Operand), Font8x16);
}

void matchFixups(const Image& image, std::size_t end, BiosLayout& layout) {
  const auto match = findFirst(image, kFontSignature4, end);
  if (!match) return;
  layout.fixups[Font8x14].location = fixupAt(image, operand(image, *match, kFont4Fixup8x14Operand));
  layout.fixups[Font8x16].location = fixupAt(image, operand(image, *match, kFont4Fixup8x16Operand));
}

// The two fallbacks for BIOS builds that load all three fonts in one
// routine. Returns whether signature 5 matched.
bool matchFontJumpTable(const Image& image, std::size_t end, BiosLayout& layout) {
  const auto match = findFirst(image, kFontSignature5, end);
  if (!match) return false;
  layout.fonts[Font8x14] = fontAt(image, operand(image, *match, kFont5Font8x14Operand), Font8x14);
  layout.fonts[Font8x8] = fontAt(image, operand(image, *match, kFont5Font8x8Operand), Font8x8);
  layout.fonts[Font8x16] = fontAt(image, operand(image, *match, kFont5Font8x16Operand), Font8x16);
  return true;
}

// These builds keep the 16-row fix-up table right after the 8x16 font.
void matchFontCompareChain(const Image& image, std::size_t end, BiosLayout& layout) {
  const auto match = findFirst(image, kFontSignature6, end);
  if (!match) return;
  const Offset font8x16 = operand(image, *match, kFont6Font8x16Operand);
  layout.fonts[Font8x8] = fontAt(image, operand(image, *match, kFont6Font8x8Operand), Font8x8);
  layout.fonts[Font8x14] = fontAt(image, operand(image, *match, kFont6Font8x14Operand), Font8x14);
  layout.fonts[Font8x16] = fontAt(image, font8x16, Font8x16);
  layout.fixups[Font8x16].location = fixupAt(image, std::size_t{font8x16} + fontTableBytes(Font8x16));
}

}  // namespace

void locateFonts(const Image& image, BiosLayout& layout) {
  const std::size_t end = searchEnd(image, kSearchMargin);
  matchInterruptVectors(image, end, layout);
  if (!layout.fonts[Font8x8]) matchFontSelect8x8(image, end, layout);
  matchFontSelect14And16(image, end, layout);
  matchFixups(image, end, layout);
  if (!layout.fonts[Font8x8] && !layout.fonts[Font8x14] && !layout.fonts[Font8x16] &&
      !matchFontJumpTable(image, end, layout))
    matchFontCompareChain(image, end, layout);
  for (const FontSize size : kFontSizes) {
    FixupTable& fixup = layout.fixups[size];
    fixup.size = fixup.location ? fixupEntries(image, fixup.location, size).bytes(*fixup.location) : FixupTable{}.size;
  }
}

}  // namespace quarzel
