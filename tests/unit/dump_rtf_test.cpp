#include <gtest/gtest.h>

#include "formats/dump_listing.h"
#include "formats/dump_rtf.h"

namespace quarzel {
namespace {

constexpr DumpPalette kPalette{0xFF0000, 0x0000FF};

// The RTF body after the colour table, which holds the palette after the
// automatic colour.
std::string body(const std::string& rtf) {
  const std::string tables = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
  EXPECT_EQ(rtf.find(tables), 0u);
  return rtf.substr(tables.size());
}

TEST(DumpRtf, ColoursRunsAndEscapesTheCharacterColumn) {
  Image image;
  image.size = 32;
  image.bytes[0] = '\\';
  image.bytes[1] = '{';
  image.bytes[2] = '}';
  image.bytes[17] = 0xFF;
  const std::string listing = dumpListing(image);
  // Byte 0 changed (hex pair and character), byte 1..2 shown over a change.
  const std::vector<Highlight> list{{6, 9, Mark::Changed}, {56, 59, Mark::Changed}, {9, 15, Mark::Shown},
                                    {57, 59, Mark::Shown}};
  const std::vector<std::uint8_t> colours = characterColours(list, listing.size());
  EXPECT_EQ(colours[8], 1);
  EXPECT_EQ(colours[57], 2);  // the shown range wins
  // Lines end in a paragraph mark, but for the last: the control's own ends it.
  EXPECT_EQ(body(dumpRtf(listing, colours, 0, 2, kPalette)),
            "\\cf0 0000: \\cf1 5C \\cf2 7B 7D \\cf0 00 00 00 00 00  00 00 00 00 00 00 00 00  "
            "\\cf1 \\\\\\cf2 \\{\\}\\cf0 .............\\par\n"
            "0010: 00 FF 00 00 00 00 00 00  00 00 00 00 00 00 00 00  ................}");
  // Lines past the listing are not made up, nor is a mark after its last.
  EXPECT_EQ(body(dumpRtf(listing, colours, 1, 5, kPalette)),
            "\\cf0 0010: 00 FF 00 00 00 00 00 00  00 00 00 00 00 00 00 00  ................}");
}

TEST(DumpRtf, RangesOutsideTheListingAreCut) {
  const std::vector<Highlight> list{{-5, 2, Mark::Changed}, {70, 90, Mark::Shown}, {100, 50, Mark::Shown}};
  const std::vector<std::uint8_t> colours = characterColours(list, 74);
  EXPECT_EQ(colours.size(), 74u);
  EXPECT_EQ(colours[0], 1);
  EXPECT_EQ(colours[2], 0);
  EXPECT_EQ(colours[73], 2);
}

}  // namespace
}  // namespace quarzel
