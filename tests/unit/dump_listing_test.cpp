#include <gtest/gtest.h>

#include "formats/dump_listing.h"
#include "support/rom_builder.h"

namespace quarzel {
namespace {

TEST(DumpListing, LineLayoutAndCharacterColumn) {
  const Image image = test::RomBuilder(32)
                          .bytes(0, {0x55, 0xAA, 0x00, 0x1F, 0x20, 0x7E, 0x7F, 0x80, 0x41, 0x7A, 0x30, 0x2E, 0x0D, 0x0A, 0xFF, 0x09})
                          .build(false);
  const std::string listing = dumpListing(image);
  ASSERT_EQ(listing.size(), 2 * kDumpLineLength);
  EXPECT_EQ(listing.substr(0, kDumpLineLength),
            "0000: 55 AA 00 1F 20 7E 7F 80  41 7A 30 2E 0D 0A FF 09  U... ~..Az0.....\r\n");
  EXPECT_EQ(listing.substr(kDumpLineLength, 6), "0010: ");
}

TEST(DumpListing, LastLineIsAlwaysWholeFromTheZeroFill) {
  test::RomBuilder builder(65000, 0x41);
  Image image = builder.build(false);
  const std::string listing = dumpListing(image);
  ASSERT_EQ(listing.size(), 4063 * kDumpLineLength);  // 65000 bytes = 4062.5 lines
  EXPECT_EQ(listing.substr(4062 * kDumpLineLength),
            "FDE0: 41 41 41 41 41 41 41 41  00 00 00 00 00 00 00 00  AAAAAAAA........\r\n");
}

// What the Go to offset box takes: hex digits inside the image, nothing else.
TEST(DumpListing, GoToOffsetTakesHexDigitsInsideTheImage) {
  EXPECT_EQ(dumpOffset(" 7fff ", 0x8000).offset, 0x7FFFu);
  EXPECT_EQ(dumpOffset("0x10", 0x8000).offset, 0x10u);
  EXPECT_EQ(dumpOffset("8000", 0x8000).refusal, "8000: past the end of the image (0000..7FFF)");
  EXPECT_EQ(dumpOffset("123456789", 0x10000).refusal, "123456789: past the end of the image (0000..FFFF)");
  for (const char* text : {"", "12G4", "-1", "0x", "1 2"})
    EXPECT_EQ(dumpOffset(text, 0x8000).refusal, "\"" + std::string(text) + "\": not a hexadecimal number") << text;
}

TEST(DumpListing, EmptyStartImageLists4096Lines) {
  const Image image;  // the buffer before any load: 64 KiB of zeros
  const std::string listing = dumpListing(image);
  ASSERT_EQ(listing.size(), 303104u);
  EXPECT_EQ(listing.substr(listing.size() - kDumpLineLength, 6), "FFF0: ");
}

}  // namespace
}  // namespace quarzel
