#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "formats/bmp_picture.h"

namespace quarzel {
namespace {

void putLe(std::vector<std::uint8_t>& file, std::size_t pos, std::uint32_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) file[pos + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 16-colour BMP with a 16-entry colour table; stored row r (bottom-up)
// holds bytes 10h * r + column, so every row and byte can be told apart.
std::vector<std::uint8_t> bmp4(std::int32_t width, std::int32_t height) {
  const std::size_t pixelOffset = 14 + 40 + 16 * 4;
  const std::size_t rowBytes = static_cast<std::size_t>(width > 0 ? width : 8) / 2;
  const std::size_t rows = static_cast<std::size_t>(height > 0 ? height : -height);
  std::vector<std::uint8_t> file(pixelOffset + rows * rowBytes);
  file[0] = 'B';
  file[1] = 'M';
  putLe(file, 2, static_cast<std::uint32_t>(file.size()), 4);
  putLe(file, 10, pixelOffset, 4);
  putLe(file, 14, 40, 4);
  putLe(file, 18, static_cast<std::uint32_t>(width), 4);
  putLe(file, 22, static_cast<std::uint32_t>(height), 4);
  putLe(file, 26, 1, 2);
  putLe(file, 28, 4, 2);
  for (std::size_t r = 0; r < rows; ++r)
    for (std::size_t c = 0; c < rowBytes; ++c)
      file[pixelOffset + r * rowBytes + c] = static_cast<std::uint8_t>(0x10 * r + c);
  return file;
}

TEST(ReadLogoPicture, RefusesInTheOrderOfItsChecks) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    EditError error;
  };
  auto with = [](std::vector<std::uint8_t> file, std::size_t pos, std::uint32_t value, std::size_t count) {
    putLe(file, pos, value, count);
    return file;
  };
  const auto good = bmp4(64, 48);
  std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + 53);
  const Case cases[] = {
      {"empty", {}, EditError::NotBmp},
      {"one byte", {'B'}, EditError::NotBmp},
      {"BA", with(good, 1, 'A', 1), EditError::NotBmp},
      {"header cut at 53 bytes", headerOnly, EditError::BmpTruncated},
      {"24 bits", with(good, 28, 24, 2), EditError::BmpNotFourBit},
      {"24 bits and RLE", with(with(good, 28, 24, 2), 30, 1, 4), EditError::BmpNotFourBit},
      {"RLE4", with(good, 30, 2, 4), EditError::BmpCompressed},
      {"RLE4 and width 12", with(with(good, 30, 2, 4), 18, 12, 4), EditError::BmpCompressed},
      {"width 0", bmp4(0, 48), EditError::BmpWidthUnsupported},
      {"width -8", bmp4(-8, 48), EditError::BmpWidthUnsupported},
      {"width 12", bmp4(12, 48), EditError::BmpWidthUnsupported},
      {"width 128", bmp4(128, 48), EditError::BmpWidthUnsupported},
      {"width 12 and height 0", bmp4(12, 0), EditError::BmpWidthUnsupported},
      {"height 0", bmp4(64, 0), EditError::BmpHeightUnsupported},
      {"top-down", bmp4(64, -48), EditError::BmpHeightUnsupported},
      {"height 128", bmp4(64, 128), EditError::BmpHeightUnsupported},
      {"height 127 and pixels cut", with(good, 22, 127, 4), EditError::BmpTruncated},
      {"last pixel byte missing", std::vector<std::uint8_t>(good.begin(), good.end() - 1),
       EditError::BmpTruncated},
      {"pixel offset near 4 GiB", with(good, 10, 0xFFFFFFF0u, 4), EditError::BmpTruncated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const BmpParse parse = readLogoPicture(c.file);
    EXPECT_FALSE(parse.picture);
    EXPECT_EQ(parse.error, c.error);
  }
}

TEST(ReadLogoPicture, AcceptsTheLargestAndSmallestDrawableSizes) {
  for (const auto& [w, h] : {std::pair{120, 127}, std::pair{8, 1}}) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    const BmpParse parse = readLogoPicture(bmp4(w, h));
    ASSERT_TRUE(parse.picture);
    EXPECT_EQ(parse.picture->rows.size(), static_cast<std::size_t>(w * h / 2));
  }
}

TEST(ReadLogoPicture, HoldsTheRowsTopFirst) {
  {
    SCOPED_TRACE("64 x 48");
    const auto file = bmp4(64, 48);
    const BmpParse parse = readLogoPicture(file);
    ASSERT_TRUE(parse.picture);
    const LogoPicture& p = *parse.picture;
    EXPECT_EQ(p.width, 64);
    EXPECT_EQ(p.height, 48);
    EXPECT_EQ(p.file, file);
    EXPECT_EQ(p.pixelOffset, 14u + 40 + 64);
    // The first held row is the file's last stored row (47), the last the first.
    EXPECT_EQ(p.rows[0], static_cast<std::uint8_t>(0x10 * 47));
    EXPECT_EQ(p.rows[31], static_cast<std::uint8_t>(0x10 * 47 + 31));
    EXPECT_EQ(p.rows[47 * 32], 0x00);
  }
  {
    SCOPED_TRACE("8 x 5: rows 0 and 4, 1 and 3 swap, row 2 stays");
    auto file = bmp4(8, 5);
    putLe(file, 10, 14 + 40 + 16 * 4 - 2, 4);  // pixel data two bytes earlier
    const BmpParse parse = readLogoPicture(file);
    ASSERT_TRUE(parse.picture);
    EXPECT_EQ(parse.picture->pixelOffset, 14u + 40 + 62);
    // Stored rows, two bytes earlier: [0 0 0 1] [2 3 10 11] [12 13 20 21] ...
    const std::vector<std::uint8_t> expected{0x32, 0x33, 0x40, 0x41, 0x22, 0x23, 0x30, 0x31,
                                             0x12, 0x13, 0x20, 0x21, 0x02, 0x03, 0x10, 0x11,
                                             0x00, 0x00, 0x00, 0x01};
    EXPECT_EQ(parse.picture->rows, expected);
  }
}

TEST(MonochromeBmp, WritesAOneBitBottomUpFile) {
  const std::vector<std::uint8_t> bits{0x80, 0x00, 0x00, 0x01, 0xFF, 0x00, 0x00, 0x00};
  const auto file = monochromeBmp(32, 2, bits);
  const std::vector<std::uint8_t> header{
      'B', 'M', 0x46, 0x00, 0x00, 0x00,  // file size 62 + 8
      0x00, 0x00, 0x00, 0x00,            // reserved
      0x3E, 0x00, 0x00, 0x00,            // bits at 62
      0x28, 0x00, 0x00, 0x00,            // information header of 40 bytes
      0x20, 0x00, 0x00, 0x00,            // width 32
      0x02, 0x00, 0x00, 0x00,            // height 2, bottom-up
      0x01, 0x00, 0x01, 0x00,            // 1 plane, 1 bit per pixel
      0x00, 0x00, 0x00, 0x00,            // uncompressed
      0x08, 0x00, 0x00, 0x00,            // size of the bits
      0x13, 0x0B, 0x00, 0x00,            // 2835 pixels a metre across
      0x13, 0x0B, 0x00, 0x00,            // and down
      0x02, 0x00, 0x00, 0x00,            // 2 colours
      0x00, 0x00, 0x00, 0x00,            // all of them important
      0xFF, 0xFF, 0xFF, 0x00,            // 0: white
      0x00, 0x00, 0x00, 0x00,            // 1: black
  };
  ASSERT_EQ(file.size(), header.size() + bits.size());
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 62), header);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 62, file.end()), bits);

  // The Fonts page's whole sheet: 256 x 256 pixels in 8192 bytes.
  const auto sheet = monochromeBmp(256, 256, std::vector<std::uint8_t>(8192, 0x55));
  EXPECT_EQ(sheet.size(), 62u + 8192);
  EXPECT_EQ(sheet[2] | sheet[3] << 8 | sheet[4] << 16, 62 + 8192);
  EXPECT_EQ(sheet[19], 0x01);  // width 256
  EXPECT_EQ(sheet[23], 0x01);  // height 256
}

}  // namespace
}  // namespace quarzel
