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
#include "analysis/strings/boot_string1.h"
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

// Operands that lead to the end of the buffer: the prints stop there, and
// a sign-on that no longer matches previews as the blank screen.
TEST(BootScreen, OperandsNearTheEndStayInsideTheImage) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  Image image = rom;
  BiosLayout layout;
  AnalysisPass(image, layout);
  const std::size_t code = *layout.bootCodeAddress;
  image.bytes[code + kString1CountOperand] = 0xFF;  // count FFFFh
  image.bytes[code + kString1CountOperand + 1] = 0xFF;
  image.bytes[code + kString1Operand] = 0xF0;  // string at FFF0h
  image.bytes[code + kString1Operand + 1] = 0xFF;
  const SignOn signOn = readSignOn(image, layout, kDefaultMemoryMegabytes);
  ASSERT_FALSE(signOn.prints.empty());
  EXPECT_EQ(signOn.prints[0].text.size(), 0x10u);
  EXPECT_EQ(drawBootScreen(image, layout).pixels.size(), 720u * 400);

  image.bytes[code] = 0x90;
  const BootScreen blank = drawBootScreen(image, layout);
  EXPECT_EQ(blank.kind, BootScreenKind::Unrecognised);
  EXPECT_TRUE(std::all_of(blank.pixels.begin(), blank.pixels.end(), [](std::uint32_t p) { return p == 0; }));
}

// The built-in sample is what a first run previews: its sign-on prints in
// the light grey the cards use, not in whatever its code's operand points at.
TEST(BootScreen, TheSamplePrintsItsSignOnAsACardDoes) {
  const Image image = sampleImage();
  BiosLayout layout;
  AnalysisPass(image, layout);
  const SignOn signOn = readSignOn(image, layout, kDefaultMemoryMegabytes);
  ASSERT_FALSE(signOn.prints.empty());
  EXPECT_EQ(signOn.prints[0].attribute, 0x07);
  EXPECT_EQ(drawBootScreen(image, layout).kind, BootScreenKind::Text);
}

}  // namespace
}  // namespace quarzel
