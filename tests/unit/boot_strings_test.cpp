#include <gtest/gtest.h>

#include "analysis/strings/bios_date.h"
#include "analysis/strings/boot_string1.h"
#include "analysis/strings/boot_string2.h"
#include "analysis/strings/sign_on_code.h"
#include "formats/near_call.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;

BiosLayout strings(const Image& image) {
  BiosLayout layout;
  locateBootString1(image, layout);
  locateBootString2(image, layout);
  locateBiosDate(image, layout);
  return layout;
}

TEST(BootString1, MainSignatureWinsOverAnEarlierFallback) {
  const Image image = RomBuilder()
                          .place(kString1Fallback, 0x100, {{kString1FallbackOperand, 0x2000}})
                          .place(kString1Main, 0x200, {{kString1CountOperand, 0x0130}, {kString1Operand, 0x3000}})
                          .text(0x2000, "fallback")
                          .text(0x3000, "Main text")
                          .build();
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.bootString1.address, 0x3000);
  EXPECT_EQ(layout.bootString1.lengthWord, 0x20B);
  EXPECT_EQ(layout.bootString1.maxLength, 0x30u);  // low byte of the count only
  EXPECT_EQ(layout.bootString1.length, 9);
  EXPECT_EQ(layout.bootCodeAddress, 0x200);
}

TEST(BootString1, FallbackGivesNoCountNoCodeAndNoLogoLines) {
  const Image image = RomBuilder()
                          .place(kString1Fallback, 0x100, {{kString1FallbackOperand, 0x2000}})
                          .text(0x2000, "A\r\nB\r\nC\r\nD")
                          .build();
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.bootString1.address, 0x2000);
  EXPECT_EQ(layout.bootString1.maxLength, 10u);
  EXPECT_FALSE(layout.bootString1.lengthWord);
  EXPECT_FALSE(layout.bootCodeAddress);
  EXPECT_EQ(layout.logoLines[0], "");
}

std::array<std::string, kLogoLines> logoLinesOf(const std::string& text) {
  const Image image = RomBuilder()
                          .place(kString1Main, 0x200, {{kString1CountOperand, 0x00FF}, {kString1Operand, 0x3000}})
                          .text(0x3000, text)
                          .build();
  return strings(image).logoLines;
}

TEST(BootString1, LogoLinesComeFromTheFirstThreeCrLfLines) {
  using Lines = std::array<std::string, kLogoLines>;
  EXPECT_EQ(logoLinesOf("One\r\nTwo\r\nThree\r\nFour"),
            (Lines{"One", "Two", "Three", "3dfx Interactive, Inc.", "Total video memory:"}));
  EXPECT_EQ(logoLinesOf("One\r\nTwo\r\nThree"), (Lines{"One", "Two", "", "", ""}));
  EXPECT_EQ(logoLinesOf("No break"), (Lines{"", "", "", "", ""}));
  // A CR at the very end ends the text: no line follows it.
  EXPECT_EQ(logoLinesOf("One\r"), (Lines{"One", "", "", "", ""}));
  EXPECT_EQ(logoLinesOf("\r\n\r\n\r\n"), (Lines{"", "", "", "3dfx Interactive, Inc.", "Total video memory:"}));
}

TEST(BootString2, MainSignatureTakesTheCountBeforeTheText) {
  const Image image = RomBuilder()
                          .place(kString2Main, 0x400, {{kString2Operand, 0x5002}})
                          .word(0x5000, 5)
                          .text(0x5002, "3dfx!")
                          .build();
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.bootString2.address, 0x5002);
  EXPECT_EQ(layout.bootString2.lengthWord, 0x5000);
  EXPECT_EQ(layout.bootString2.maxLength, 120u);
  EXPECT_EQ(layout.bootString2.length, 5);
}

// The name printer that string 1's call leads to gives string 2, not the
// first print call of its kind anywhere in the image; without that call the
// first one found stands in.
TEST(BootString2, TheNamePrinterTheSignOnCallsGivesIt) {
  constexpr std::size_t kCode = 0x200, kCall = kCode + kString1CallAt, kPrinter = 0x300;
  RomBuilder rom;
  rom.place(kString2Main, 0x100, {{kString2Operand, 0x5002}})
      .place(kString1Main, kCode, {{kString1Operand, 0x3000}})
      .place(kNamePrinter, kPrinter, {{kNameOperand, 0x6002}});
  EXPECT_EQ(strings(rom.build()).bootString2.address, 0x5002);
  rom.byte(kCall, kNearCallOpcode).word(kCall + 1, static_cast<std::uint16_t>(kPrinter - kCall - kNearCallBytes));
  EXPECT_EQ(strings(rom.build()).bootString2.address, 0x6002);
}

TEST(BootString2, StringAtTheImageStartHasNoCountWord) {
  const Image image = RomBuilder().place(kString2Main, 0x400, {{kString2Operand, 0x0001}}).build();
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.bootString2.address, 0x0001);
  EXPECT_FALSE(layout.bootString2.lengthWord);
}

TEST(BootString2, FallbackLimitsTheTextToItsLength) {
  const Image image =
      RomBuilder().place(kString2Fallback, 0x400, {{kString2FallbackOperand, 0x5000}}).text(0x5000, "abc").build();
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.bootString2.maxLength, 3u);
  EXPECT_FALSE(layout.bootString2.lengthWord);
}

TEST(BootStrings, SearchStopsThirtyBytesBeforeTheImageEnd) {
  // 24-byte signature at imageSize - 30 is not found; one byte earlier it is.
  const Image late = RomBuilder(4096).place(kString1Main, 4096 - kSearchMargin, {{kString1Operand, 0x100}}).build();
  EXPECT_FALSE(strings(late).bootString1.address);
  const Image early =
      RomBuilder(4096).place(kString1Main, 4096 - kSearchMargin - 1, {{kString1Operand, 0x100}}).build();
  EXPECT_EQ(strings(early).bootString1.address, 0x100);
}

TEST(BootStrings, TextRunningToTheEndOfTheBufferEndsThere) {
  const Image image = RomBuilder(65536)
                          .place(kString1Fallback, 0x100, {{kString1FallbackOperand, 0xFFF0}})
                          .fill(0xFFF0, 16, 'x')
                          .build(false);
  EXPECT_EQ(strings(image).bootString1.length, 16);
}

TEST(BiosDate, FirstSlashPairInTheFirstSectorGivesTheDate) {
  // "1/2/03" has its slashes one apart by two, not three: not a date.
  const Image image = RomBuilder(4096, 0x20)
                          .text(0x20, "1/2/03", false)
                          .text(0x30, "06/16/00", false)
                          .text(0x100, "12/31/99", false)
                          .build();
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.biosDate.address, 0x30);
  EXPECT_EQ(layout.biosDate.maxLength, 8u);
  EXPECT_STREQ(layout.biosDate.text.data(), "06/16/00");  // 8 bytes, the 9th stays zero

  const Image beyond = RomBuilder().text(0x1FE, "12/31/99", false).build();  // slashes at 200h, 203h
  EXPECT_FALSE(strings(beyond).biosDate.address);
  const Image last = RomBuilder().text(0x1FD, "12/31/99", false).build();  // first slash at 1FFh
  EXPECT_EQ(strings(last).biosDate.address, 0x1FD);
}

TEST(BiosDate, IsLookedForEvenInATinyImage) {
  Image image = RomBuilder(64).text(4, "06/16/00", false).build(false);
  image.size = 12;
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.biosDate.address, 4);
  EXPECT_FALSE(layout.bootString1.address);
}

// Offsets below were read off the images' bytes: the string-1 code
// B8 01 13 2A FF 2E ... CD 10, the string-2 code B8 01 13 8B 16 ... CD 10,
// and the first "/../" pair in the first sector.
struct RealStrings {
  test::RealRom rom;
  Offset code1, string1, countWord1;
  std::uint32_t max1;
  Offset string2;
  std::int32_t length2;
  const char* date;
  const char* firstLogoLine;
  friend void PrintTo(const RealStrings& strings, std::ostream* out) { *out << strings.rom; }
};

class RealRomStrings : public testing::TestWithParam<RealStrings> {};

TEST_P(RealRomStrings, MatchTheBytes) {
  const RealStrings& expected = GetParam();
  QUARZEL_REAL_ROM(image, expected.rom);
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.bootCodeAddress, expected.code1);
  EXPECT_EQ(layout.bootString1.address, expected.string1);
  EXPECT_EQ(layout.bootString1.lengthWord, expected.countWord1);
  EXPECT_EQ(layout.bootString1.maxLength, expected.max1);
  EXPECT_EQ(layout.bootString1.length, static_cast<std::int32_t>(expected.max1));
  EXPECT_EQ(layout.bootString2.address, expected.string2);
  EXPECT_EQ(layout.bootString2.lengthWord, expected.string2 - 2);
  EXPECT_EQ(layout.bootString2.length, expected.length2);
  EXPECT_EQ(layout.biosDate.address, 0x38);
  EXPECT_STREQ(layout.biosDate.text.data(), expected.date);
  EXPECT_EQ(layout.logoLines[0], expected.firstLogoLine);
  EXPECT_EQ(layout.logoLines[3], "3dfx Interactive, Inc.");
}

INSTANTIATE_TEST_SUITE_P(RealRoms, RealRomStrings,
                         testing::Values(RealStrings{test::k3k12sd, 0x19E, 0x7CD2, 0x1A9, 107, 0x7DC9, 24, "06/16/00",
                                                     "Voodoo3 3000 BIOS - Version 2.15.12-SD"},
                                         RealStrings{test::kAgpSg, 0x154, 0x7708, 0x15F, 98, 0x77F7, 24, "02/09/99",
                                                     "VGA BIOS - Version 1.00.10-SG"},
                                         RealStrings{test::kBlasterAgp, 0x172, 0x7862, 0x17D, 102, 0x7955, 96,
                                                     "01/15/99", "Creative 3D Blaster Banshee 16MB SGRAM"},
                                         RealStrings{test::kVelocity100, 0x19E, 0x7896, 0x1A9, 107, 0x798D, 24,
                                                     "08/06/99", "Velocity 100 BIOS - Version 2.15.06-SG"}),
                         test::RealRomName{});

// The Compaq build has no code that prints either string: string 1 stands
// after the pointer directory, as long as the count its sign-on code still
// loads; string 2 no code names at all (the directory does, see
// pointer_directory_test.cpp).
TEST(RealRomStrings, CompaqBuildPrintsNeitherString) {
  QUARZEL_REAL_ROM(image, test::kV3_3500Compaq);
  const BiosLayout layout = strings(image);
  EXPECT_EQ(layout.bootString1.address, 0x7C90);
  EXPECT_FALSE(layout.bootString1.printed);
  EXPECT_FALSE(layout.bootCodeAddress);
  EXPECT_FALSE(layout.bootString2.address);
  EXPECT_FALSE(layout.bootString2.printed);
  EXPECT_STREQ(layout.biosDate.text.data(), "08/05/99");
}

}  // namespace
}  // namespace quarzel
