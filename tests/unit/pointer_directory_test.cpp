#include "analysis/pointer_directory.h"

#include <gtest/gtest.h>

#include <string_view>

#include "analysis/fonts/font_locator.h"
#include "support/analysed.h"
#include "support/rom_builder.h"
#include "support/run_cli.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::analysed;

constexpr std::size_t kString2Entry = 7;

bool isCompaq(const test::RealRom& file) { return std::string_view(file.name) == test::kV3_3500Compaq.name; }

// Every real image keeps the directory, and each entry names what the
// locators found; only the Compaq build's string 2, which no code prints,
// comes from the directory alone.
TEST(PointerDirectory, ASecondWitnessOnEveryRealImage) {
  for (const test::RealRom& file : test::kRealRoms) {
    const auto rom = test::readRealRom(file);
    if (!rom) GTEST_SKIP() << test::kRealImageAbsent << file;
    const auto a = analysed(*rom);
    const auto checks = directoryChecks(a.image, a.layout);
    ASSERT_TRUE(checks && a.layout.pointerDirectory) << file;
    EXPECT_EQ(a.layout.pointerDirectory, rom->word(kDirectoryPointer));
    for (std::size_t i = 0; i < kDirectoryEntries; ++i) {
      const bool compaqString2 = isCompaq(file) && i == kString2Entry;
      EXPECT_EQ((*checks)[i].witness, compaqString2 ? Witness::Taken : Witness::Agrees)
          << file << ": " << kDirectoryRules[i].name;
    }
  }
}

// The Compaq build loads the count of string 1 but has no int 10h to print
// it, and its name printer is pusha; popa; ret: both strings stand in the
// image, found and marked as not printed; an edit of one is made with a
// warning. The other builds print theirs.
TEST(PointerDirectory, CompaqStringsKeptButNotPrinted) {
  for (const test::RealRom& file : test::kRealRoms) {
    const auto rom = test::readRealRom(file);
    if (!rom) GTEST_SKIP() << test::kRealImageAbsent << file;
    const auto layout = analysed(*rom).layout;
    const bool compaq = isCompaq(file);
    EXPECT_EQ(layout.bootString1.printed, !compaq) << file;
    EXPECT_EQ(layout.bootString2.printed, !compaq) << file;
    if (!compaq) continue;
    EXPECT_EQ(layout.bootString1.address, 0x7C90);
    EXPECT_EQ(layout.bootString1.length, 0x6B);
    EXPECT_EQ(layout.bootString1.lengthWord, 0x019E + 11);
    EXPECT_EQ(layout.bootString2.lengthWord, 0x7D85);
    EXPECT_EQ(layout.bootString2.address, 0x7D87);
    EXPECT_EQ(layout.bootString2.maxLength, 24u);

    const test::TempFolder folder;
    const std::string in = "\"" + test::realRomPath(file) + "\"";
    const auto info = test::runCli("info " + in);
    EXPECT_NE(info.out.find("String 1 at 7C90: length 107, max length 107, count word 01A9\n    this BIOS keeps it "
                            "but does not print it"),
              std::string::npos)
        << info.out;
    const auto edit = test::runCli("edit " + in + " -o " + folder.quoted("e.rom") + " --string2 \"Compaq\\r\\n\"");
    EXPECT_EQ(edit.status, 0);
    EXPECT_NE(edit.err.find("warning: --string2: this BIOS keeps it but does not print it"), std::string::npos)
        << edit.err;
  }
}

// A directory built to disagree: the locators find the 8x8 font elsewhere
// (reported, the locators' kept), nothing else; the directory gives the
// other fonts, the fix-up tables, the parameter table through the save
// pointer table and string 2. The OEM defaults' entry alone says too
// little. Fonts that do not follow one another make no directory.
TEST(PointerDirectory, ImagesBuiltToDisagree) {
  test::RomBuilder rom(0x8000);
  rom.word(kDirectoryPointer, 0x7000).word(0x7000, 0x6800).word(0x7002, 0x6900);
  rom.word(0x7004, 0x1000).word(0x7006, 0x1800).word(0x7008, 0x2600).word(0x700A, 0x3600).word(0x700C, 0x3700);
  rom.word(0x700E, 0x6A00).word(0x6A00, 7).text(0x6A02, "quarzel");
  rom.word(0x6900, 0x4000).word(0x6902, 0xC000);
  rom.place(kFontSignature2, 0x300, {{kFont2Font8x8Operand, 0x5000}});
  const auto a = analysed(rom.build());
  const auto checks = directoryChecks(a.image, a.layout);
  ASSERT_TRUE(checks);
  const Witness expected[] = {Witness::Missing, Witness::Taken, Witness::Differs, Witness::Taken,
                              Witness::Taken,   Witness::Taken, Witness::Taken,   Witness::Taken};
  for (std::size_t i = 0; i < kDirectoryEntries; ++i)
    EXPECT_EQ((*checks)[i].witness, expected[i]) << kDirectoryRules[i].name;
  EXPECT_EQ((*checks)[2].located, 0x5000);
  EXPECT_EQ(a.layout.fonts[Font8x8], 0x5000);
  EXPECT_EQ(a.layout.fonts[Font8x16], 0x2600);
  EXPECT_EQ(a.layout.fixups[Font8x16].location, 0x3700);
  EXPECT_EQ(a.layout.videoParameterTable, 0x4000);
  EXPECT_EQ(a.layout.bootString2.address, 0x6A02);
  EXPECT_EQ(a.layout.bootString2.maxLength, 7u);

  const auto broken = analysed(rom.word(0x7008, 0x2700).build());
  EXPECT_FALSE(directoryChecks(broken.image, broken.layout));
  EXPECT_FALSE(broken.layout.pointerDirectory || broken.layout.fonts[Font8x16] || broken.layout.bootString2.address);
}

}  // namespace
}  // namespace quarzel
