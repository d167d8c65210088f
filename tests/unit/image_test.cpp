#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "formats/image.h"
#include "support/rom_builder.h"

namespace quarzel {
namespace {

std::vector<std::uint8_t> romFile(std::size_t size) {
  std::vector<std::uint8_t> file(size, 0x11);
  if (size > 0) file[0] = 0x55;
  if (size > 1) file[1] = 0xAA;
  return file;
}

TEST(LoadImage, AcceptsUpTo64KiBWithSignatureAndRefusesTheRest) {
  EXPECT_TRUE(loadImage(romFile(65536)).image);
  EXPECT_TRUE(loadImage(romFile(2)).image);
  EXPECT_EQ(loadImage(romFile(65537)).error, LoadError::TooLarge);
  EXPECT_EQ(loadImage(romFile(1)).error, LoadError::TooShort);
  EXPECT_EQ(loadImage(romFile(0)).error, LoadError::TooShort);

  auto badSecond = romFile(512);
  badSecond[1] = 0x00;
  EXPECT_EQ(loadImage(badSecond).error, LoadError::NoSignature);
  auto badFirst = romFile(512);
  badFirst[0] = 0x00;
  EXPECT_EQ(loadImage(badFirst).error, LoadError::NoSignature);
}

TEST(LoadImage, SmallFileLeavesTheRestOfTheBufferZero) {
  const auto loaded = loadImage(romFile(32768));
  ASSERT_TRUE(loaded.image);
  EXPECT_EQ(loaded.image->size, 32768u);
  EXPECT_EQ(loaded.image->bytes[32767], 0x11);
  for (std::size_t i = 32768; i < kImageCapacity; ++i) ASSERT_EQ(loaded.image->bytes[i], 0) << i;
}

TEST(ImageReads, RefuseToPassTheBufferButReadTheZeroFill) {
  Image image;
  image.size = 100;
  image.bytes[65534] = 0x34;
  image.bytes[65535] = 0x12;
  EXPECT_EQ(image.word(65534), 0x1234);
  EXPECT_FALSE(image.word(65535));
  EXPECT_FALSE(image.dword(65533));
  EXPECT_EQ(image.dword(200), 0u);  // past the image, inside the buffer
  EXPECT_FALSE(image.byteAt(65536));
}

TEST(ImageReads, TextRunningToTheBufferEndEndsThere) {
  Image image;
  for (std::size_t i = 65530; i < kImageCapacity; ++i) image.bytes[i] = 'A';
  EXPECT_EQ(image.textLength(65530), 6u);
  EXPECT_EQ(image.text(65530), "AAAAAA");
  EXPECT_EQ(image.textLength(65536), 0u);
  EXPECT_EQ(image.text(65534, 10), "AA");
}

TEST(Checksum, FixCoversTheHeaderLengthOnly) {
  Image image = test::RomBuilder(65536, 0x5A).romLengthByte(0x40).build(false);
  ASSERT_EQ(fixChecksum(image), 32768u);
  const auto end = image.bytes.begin() + 32768;
  EXPECT_EQ(std::accumulate(image.bytes.begin(), end, 0u) % 256, 0u);
  EXPECT_EQ(image.bytes[32768], 0x5A);  // beyond the ROM length: untouched
  EXPECT_TRUE(checksumOk(image));
}

TEST(Checksum, LengthByteOutsideTheBufferChangesNothing) {
  for (const std::uint8_t lengthByte : std::initializer_list<std::uint8_t>{0x00, 0x81, 0xFF}) {
    const Image before = test::RomBuilder(65536, 0x5A).romLengthByte(lengthByte).build(false);
    Image image = before;
    EXPECT_FALSE(fixChecksum(image)) << int{lengthByte};
    EXPECT_EQ(image.bytes, before.bytes);
    EXPECT_FALSE(checksumOk(image));
  }
}

TEST(Checksum, RomLongerThanTheFileIsNotOkAndItsChecksumByteLiesPastTheImage) {
  Image image = test::RomBuilder(32768, 0x01).romLengthByte(0x80).build(false);
  EXPECT_FALSE(checksumOk(image));
  ASSERT_EQ(fixChecksum(image), 65536u);
  EXPECT_NE(image.bytes[65535], 0);  // in the zero fill, not saved with the file
  EXPECT_FALSE(checksumOk(image));
}

}  // namespace
}  // namespace quarzel
