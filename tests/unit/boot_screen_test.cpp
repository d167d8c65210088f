// The boot screen drawn from the image: the cell model's writes, and the
// sign-on read from real images, where its size and operands can break.
// How it compares with the emulated card's screen: cli_boot_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/analysis_pass.h"
#include "analysis/sample_image.h"
#include "analysis/boot_screen/boot_screen.h"
#include "analysis/boot_screen/sign_on_calls.h"
#include "analysis/boot_screen/text_screen.h"
#include "analysis/strings/sign_on_code.h"
#include "support/analysed.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string rowText(const TextScreen& screen, int row) {
  std::string text;
  for (int column = 0; column < screen.columns(); ++column) text += static_cast<char>(screen.at(row, column).code);
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

// Past the last column the write goes on at the next line; a line feed on
// the last row scrolls; CR, LF, BS and BEL move the cursor and write nothing.
TEST(TextScreen, WrapsScrollsAndObeysControls) {
  TextScreen screen(4, 3);
  screen.writeString(bytes("abcdef\r\n\x07xy\bz"), 0x1E);
  EXPECT_EQ(rowText(screen, 0), "abcd");
  EXPECT_EQ(rowText(screen, 1), "ef");
  EXPECT_EQ(rowText(screen, 2), "xz");
  EXPECT_EQ(screen.at(2, 1).attribute, 0x1E);
  EXPECT_EQ(screen.cursor(), 0x0202);
  screen.setCursor(0x0203);
  screen.writeString(bytes("!"), 0x07);  // the last cell: the screen scrolls
  EXPECT_EQ(rowText(screen, 0), "ef");
  EXPECT_EQ(rowText(screen, 1), "xz !");
  EXPECT_EQ(rowText(screen, 2), "");
  EXPECT_EQ(screen.cursor(), 0x0200);
  screen.teletype('\b');
  EXPECT_EQ(screen.cursor(), 0x0200);  // BS stops at the first column
}

// The memory size: a build that fixes it keeps its own whatever the card
// holds; one that reads the chip's straps follows the option, up to the
// largest size its table knows. A maker's build writes the size into its
// string 1 before printing it.
TEST(BootScreen, MemorySizeFollowsTheBiosOrTheCard) {
  for (const auto& [rom, fixed] : {std::pair{test::k3k12sd, true}, std::pair{test::kAgpSg, false}}) {
    QUARZEL_REAL_ROM(image, rom);
    BiosLayout layout;
    AnalysisPass(image, layout);
    for (const std::uint32_t megabytes : kMemoryChoices) {
      const BootScreen screen = drawBootScreen(image, layout, {megabytes});
      EXPECT_EQ(screen.kind, BootScreenKind::Text) << rom;
      ASSERT_TRUE(screen.memory) << rom;
      EXPECT_EQ(screen.memory->fromImage, fixed) << rom;
      EXPECT_EQ(screen.memory->blocks, fixed ? 64 : std::min(megabytes, 16u) * 4) << rom << " " << megabytes;
    }
  }
  QUARZEL_REAL_ROM(blaster, test::kBlasterAgp);
  BiosLayout layout;
  AnalysisPass(blaster, layout);
  const auto string1 = [&](std::uint32_t megabytes) {
    const SignOn signOn = readSignOn(blaster, layout, megabytes);
    return std::string(signOn.prints.at(0).text.begin(), signOn.prints.at(0).text.end());
  };
  EXPECT_EQ(string1(8).rfind("Creative 3D Blaster Banshee 08MB SGRAM\r\n", 0), 0u) << string1(8);
  EXPECT_EQ(string1(16).rfind("Creative 3D Blaster Banshee 16MB SGRAM\r\n", 0), 0u) << string1(16);
}

// Where the sign-on leaves the ROM (byte 2 x 512; 3k12sd.rom's 40 KiB of a
// 64 KiB file) the reading stops, draws what it read and says where:
// a text cut at the ROM's end, an attribute beyond it, a size table without
// its end. A sign-on that no longer matches previews as the blank screen.
TEST(BootScreen, AReadingThatLeavesTheRomSaysWhereAndStops) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  const test::Analysed bios = test::analysed(rom);
  const std::size_t code = *bios.layout.bootCodeAddress, end = romEnd(rom);
  ASSERT_EQ(end, 0xA000u);
  const auto read = [&](auto change) {
    Image image = rom;
    change(image);
    return readSignOn(image, bios.layout, kDefaultMemoryMegabytes);
  };
  const auto setWord = [](Image& image, std::size_t at, std::size_t value) {
    image.bytes[at] = static_cast<std::uint8_t>(value);
    image.bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
  };

  const SignOn cut = read([&](Image& image) { setWord(image, code + kString1Operand, end - 4); });
  ASSERT_EQ(cut.prints.size(), 1u) << "nothing after the cut string";
  EXPECT_EQ(cut.prints[0].text.size(), 4u);
  ASSERT_EQ(cut.unread.size(), 1u);
  EXPECT_NE(cut.unread[0].find("string 1 (107 bytes at 9FFC) runs past the ROM's end (A000)"), std::string::npos)
      << cut.unread[0];

  const SignOn colourless = read([&](Image& image) { setWord(image, code + kString1AttributeOperand, 0xFFF0); });
  EXPECT_TRUE(colourless.prints.empty());
  ASSERT_EQ(colourless.unread.size(), 1u);
  EXPECT_NE(colourless.unread[0].find("FFF0, past the ROM's end"), std::string::npos) << colourless.unread[0];

  // The size table's entries from 9FF8h on: 10h, 20h, then the ROM ends.
  const std::size_t memoryLine = *findSignOnCode(rom, std::nullopt)->printer + kNamePrinter.size();
  const SignOn endless = read([&](Image& image) {
    setWord(image, memoryLine + kMemoryTableOperand, end - 8);
    image.bytes[end - 8] = 0x10;
    image.bytes[end - 5] = 0x20;
    image.bytes[end - 2] = 0x30;
  });
  ASSERT_EQ(endless.unread.size(), 1u);
  EXPECT_NE(endless.unread[0].find("the memory size table at 9FF8 runs past"), std::string::npos) << endless.unread[0];

  Image broken = rom;
  broken.bytes[code] = 0x90;
  const BootScreen blank = drawBootScreen(broken, bios.layout);
  EXPECT_EQ(verdict(blank), BootScreenVerdict::Unrecognised);
  EXPECT_TRUE(std::all_of(blank.pixels.begin(), blank.pixels.end(), [](std::uint32_t p) { return p == 0; }));
}

// A name printer overwritten with NOPs, and a font the pass did not find:
// the picture is partial and names what it could not read.
TEST(BootScreen, WhatItCouldNotReadIsNamed) {
  QUARZEL_REAL_ROM(rom, test::kAgpSg);
  test::Analysed bios = test::analysed(rom);
  std::fill_n(bios.image.bytes.begin() + 0x3542, kNamePrinter.size(), 0x90);
  const BootScreen noName = drawBootScreen(bios.image, bios.layout);
  EXPECT_EQ(verdict(noName), BootScreenVerdict::Partial);
  EXPECT_EQ(screenNotes(noName), std::vector<std::string>{"the sign-on code calls 3542, code quarzel does not know: "
                                                          "what the BIOS prints after string 1 is not drawn"});
  EXPECT_EQ(readSignOn(bios.image, bios.layout, kDefaultMemoryMegabytes).prints.size(), 1u) << "string 1 alone";

  bios = test::analysed(rom);
  bios.layout.fonts[Font8x16].reset();
  const BootScreen fontless = drawBootScreen(bios.image, bios.layout);
  EXPECT_EQ(verdict(fontless), BootScreenVerdict::Partial);
  EXPECT_EQ(fontless.unread, std::vector<std::string>{"no 8x16 font was found: the characters are drawn blank"});
}

// The string-2 locator and the picture name the same bytes, and every image
// a user starts from reads whole: each real one and the built-in sample,
// whose first run shows string 2 and the memory line beneath string 1.
TEST(BootScreen, TheLocatorAndThePictureNameTheSameString2) {
  std::vector<std::pair<std::string, Image>> images{{"sample", sampleImage()}};
  for (const test::RealRom& rom : test::kRealRoms)
    if (const auto image = test::readRealRom(rom)) images.emplace_back(rom.file, *image);
  for (const auto& [name, image] : images) {
    const test::Analysed bios = test::analysed(image);
    const SignOn signOn = readSignOn(image, bios.layout, kDefaultMemoryMegabytes);
    EXPECT_EQ(verdict(drawBootScreen(image, bios.layout)), BootScreenVerdict::Whole) << name;
    const BootString& string2 = bios.layout.bootString2;
    ASSERT_TRUE(string2.address) << name;
    if (!string2.printed) {
      EXPECT_TRUE(signOn.prints.empty()) << name;
      continue;
    }
    ASSERT_GE(signOn.prints.size(), 2u) << name;
    EXPECT_EQ(signOn.prints[1].source, *string2.address) << name;
    EXPECT_EQ(signOn.prints[1].text.size(), *image.word(*string2.lengthWord)) << name;
  }
  const Image sample = sampleImage();
  const SignOn signOn = readSignOn(sample, test::analysed(sample).layout, kDefaultMemoryMegabytes);
  ASSERT_GE(signOn.prints.size(), 4u);
  EXPECT_EQ(signOn.prints[0].attribute, 0x07) << "light grey, as the cards print";
  EXPECT_EQ(std::string(signOn.prints[2].text.begin(), signOn.prints[2].text.end()), "Video Memory Size: ");
  EXPECT_EQ(std::string(signOn.prints[3].text.begin(), signOn.prints[3].text.end()), "16384K");
}

}  // namespace
}  // namespace quarzel
