#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "formats/bmp_picture.h"
#include "support/bmp_file.h"

namespace quarzel {
namespace {

using test::bmp4;
using test::with;

TEST(ReadLogoPicture, RefusesInTheOrderOfItsChecks) {
  const auto good = bmp4(64, 48);
  const struct {
    const char* what;
    std::vector<std::uint8_t> file;
    EditError error;
  } cases[] = {
      {"empty", {}, EditError::NotBmp},
      {"BA", with(good, 1, 'A', 1), EditError::NotBmp},
      {"header cut at 53 bytes", {good.begin(), good.begin() + 53}, EditError::BmpTruncated},
      {"24 bits", with(good, 28, 24, 2), EditError::BmpNotFourBit},
      {"24 bits and RLE", with(with(good, 28, 24, 2), 30, 1, 4), EditError::BmpNotFourBit},
      {"RLE4 and width 12", with(bmp4(12, 48), 30, 2, 4), EditError::BmpCompressed},
      {"width 0", bmp4(0, 48), EditError::BmpWidthUnsupported},
      {"width 12 and height 0", bmp4(12, 0), EditError::BmpWidthUnsupported},
      {"width 128", bmp4(128, 48), EditError::BmpWidthUnsupported},
      {"height 0", bmp4(64, 0), EditError::BmpHeightUnsupported},
      {"top-down", bmp4(64, -48), EditError::BmpHeightUnsupported},
      {"height 128", bmp4(64, 128), EditError::BmpHeightUnsupported},
      {"last pixel byte missing", {good.begin(), good.end() - 1}, EditError::BmpTruncated},
      {"pixel offset near 4 GiB", with(good, 10, 0xFFFFFFF0u, 4), EditError::BmpTruncated},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const BmpParse parse = readLogoPicture(c.file);
    EXPECT_FALSE(parse.picture);
    EXPECT_EQ(parse.error, c.error);
  }
  EXPECT_TRUE(readLogoPicture(bmp4(120, 127)).picture);
  EXPECT_TRUE(readLogoPicture(bmp4(8, 1)).picture);
}

TEST(ReadLogoPicture, HoldsTheRowsTopFirst) {
  // Pixel data two bytes early: the stored rows are 00 00 00 01, 02 03 10 11, ...
  // The colours are VGA's own, so the indexes stay as stored.
  const auto file = with(with(test::withVgaColours(bmp4(8, 5)), 10, 116, 4), 116, 0, 2);  // the last colour black
  const BmpParse parse = readLogoPicture(file);
  ASSERT_TRUE(parse.picture);
  EXPECT_EQ(parse.picture->width, 8);
  EXPECT_EQ(parse.picture->height, 5);
  // Rows 0 and 4, 1 and 3 swap; row 2 stays.
  const std::vector<std::uint8_t> rows{0x32, 0x33, 0x40, 0x41, 0x22, 0x23, 0x30, 0x31, 0x12, 0x13,
                                       0x20, 0x21, 0x02, 0x03, 0x10, 0x11, 0x00, 0x00, 0x00, 0x01};
  EXPECT_EQ(parse.picture->rows, rows);
}

TEST(MonochromeBmp, WritesAOneBitBottomUpFile) {
  const std::vector<std::uint8_t> bits{0x80, 0x00, 0x00, 0x01, 0xFF, 0x00, 0x00, 0x00};
  const std::vector<std::uint8_t> header{
      'B',  'M',  0x46, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3E, 0x00, 0x00, 0x00,  // 70 bytes, bits at 62
      0x28, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,  // 40-byte header, 32 x 2
      0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00,  // 1 plane, 1 bit, BI_RGB, 8 bytes
      0x13, 0x0B, 0x00, 0x00, 0x13, 0x0B, 0x00, 0x00,                          // 2835 pixels a metre
      0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                          // 2 colours, all important
      0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00,                          // white, black
  };
  auto expected = header;
  expected.insert(expected.end(), bits.begin(), bits.end());
  EXPECT_EQ(monochromeBmp(32, 2, bits), expected);
}

}  // namespace
}  // namespace quarzel
