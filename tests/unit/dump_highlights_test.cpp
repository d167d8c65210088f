#include <gtest/gtest.h>

#include "formats/dump_highlights.h"

namespace quarzel {
namespace {

using List = std::vector<Highlight>;
constexpr Mark R = Mark::Changed, B = Mark::Shown;

TEST(DumpHighlights, ShownRangesColourSegmentsAndWholeLines) {
  const Image image;
  EXPECT_EQ(dumpHighlights(image, image, 0x40, 16), (List{{302, 350, B}, {352, 368, B}}));
  EXPECT_EQ(dumpHighlights(image, image, 0x40, 17), (List{{302, 368, B}, {376, 378, B}, {426, 427, B}}));
  EXPECT_EQ(dumpHighlights(image, image, 0x47, 2), (List{{323, 329, B}, {359, 361, B}}));
  // A range starting mid-line: the rest of that line, then whole lines.
  EXPECT_EQ(dumpHighlights(image, image, 0x4E, 35),
            (List{{345, 350, B}, {366, 368, B}, {376, 442, B}, {450, 516, B}, {524, 526, B}, {574, 575, B}}));
  for (const auto& [offset, length] : {std::pair{0, 22}, {0x40, 0}, {-16, 4}, {0x40, -1}}) {
    SCOPED_TRACE(offset);
    EXPECT_TRUE(dumpHighlights(image, image, offset, length).empty());
  }
}

TEST(DumpHighlights, ShownRangeStopsAtTheEndOfTheListing) {
  Image image;
  image.size = 0x28;  // three lines listed, the last one partly past the image
  EXPECT_EQ(dumpHighlights(image, image, 0x2E, 0x1000), (List{{148 + 6 + 43, 148 + 6 + 48, B},
                                                             {148 + 56 + 14, 148 + 56 + 16, B}}));
  EXPECT_TRUE(dumpHighlights(image, image, 0x30, 4).empty());
  EXPECT_TRUE(dumpHighlights(Image{}, Image{}, 0x7FFFFFF0, 0x7FFFFFFF).empty());
}

TEST(DumpHighlights, ChangedRunsStayOnTheirLineAndPrecedeTheShownRange) {
  const Image backup;
  Image image;
  image.bytes[0x47] = image.bytes[0x48] = 1;  // across the middle gap
  image.bytes[0x5E] = image.bytes[0x5F] = image.bytes[0x60] = 2;  // across a line break
  EXPECT_EQ(dumpHighlights(image, backup, 0, 0),
            (List{{323, 330, R}, {359, 361, R}, {370 + 6 + 43, 370 + 6 + 49, R}, {370 + 70, 370 + 72, R},
                  {444 + 6, 444 + 9, R}, {444 + 56, 444 + 57, R}}));
  // Red first, blue after: a changed byte inside the range ends up blue.
  const List both = dumpHighlights(image, backup, 0x47, 1);
  ASSERT_EQ(both.size(), 8u);
  EXPECT_EQ(both[6], (Highlight{323, 325, B}));
}

TEST(DumpHighlights, OnlyBytesBelowTheImageSizeCount) {
  const Image backup;
  Image image;
  image.size = 0x10;
  image.bytes[0x10] = 1;
  EXPECT_TRUE(dumpHighlights(image, backup, 0, 0).empty());
}

TEST(DumpHighlights, HoldsEveryRunOfAWidelyScatteredChange) {
  const Image backup;
  Image image;
  for (std::size_t p = 0; p < kImageCapacity; p += 2) image.bytes[p] = 0xFF;
  const List list = dumpHighlights(image, backup, 0, 0);
  ASSERT_EQ(list.size(), 65536u);  // far beyond a fixed 5,418-triple buffer
  EXPECT_EQ(list.back(), (Highlight{74 * 4095 + 56 + 14, 74 * 4095 + 56 + 15, R}));
}

}  // namespace
}  // namespace quarzel
