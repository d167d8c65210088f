#include <gtest/gtest.h>

#include "formats/signature.h"
#include "support/rom_builder.h"

namespace quarzel {
namespace {

constexpr Signature kCode{"B8 01 ?? .. CD 10"};

TEST(Signature, ParsesFixedAndDontCareBytes) {
  EXPECT_EQ(kCode.size(), 6u);
  EXPECT_TRUE(kCode.compared(0));
  EXPECT_FALSE(kCode.compared(2));
  EXPECT_FALSE(kCode.compared(3));
  EXPECT_EQ(kCode.byte(5), 0x10);
}

TEST(Signature, FirstMatchWinsAndDontCaresMatchAnything) {
  const Image image = test::RomBuilder(4096)
                          .place(kCode, 300, {{2, 0xFFFF}})
                          .place(kCode, 200, {{2, 0x0000}})
                          .build();
  EXPECT_EQ(findFirst(image, kCode, searchEnd(image, 30)), 200u);
  EXPECT_EQ(findFirst(image, kCode, searchEnd(image, 30), 201), 300u);
  EXPECT_FALSE(findFirst(image, kCode, 200));  // start positions below 200 only
}

TEST(Signature, AMatchNeedsEveryByteCompared) {
  const Image image = test::RomBuilder(4096).place(kCode, 100).byte(105, 0x11).build();
  EXPECT_FALSE(findFirst(image, kCode, searchEnd(image, 30)));
}

TEST(Signature, NoSearchInSmallImages) {
  Image image = test::RomBuilder(64).place(kCode, 2).build();
  image.size = 30;
  EXPECT_EQ(searchEnd(image, 30), 0u);
  EXPECT_FALSE(findFirst(image, kCode, searchEnd(image, 30)));
  image.size = 33;
  EXPECT_EQ(findFirst(image, kCode, searchEnd(image, 30)), 2u);
}

TEST(Signature, NeverMatchesPastTheEndOfTheBuffer) {
  // Compared bytes inside the buffer, don't-care bytes past it: no match.
  Image image;
  constexpr Signature kTail{"CD 10 ?? ??"};
  image.bytes[65534] = 0xCD;
  image.bytes[65535] = 0x10;
  EXPECT_FALSE(kTail.matchesAt(image, 65534));
  EXPECT_FALSE(findFirst(image, kTail, kImageCapacity));
  image.bytes[65532] = 0xCD;
  image.bytes[65533] = 0x10;
  EXPECT_EQ(findFirst(image, kTail, kImageCapacity), 65532u);
}

}  // namespace
}  // namespace quarzel
