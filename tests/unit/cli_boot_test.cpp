// quarzel-cli boot: real ROMs, and ROMs the core edited, started as the video
// BIOS of the emulated PC, and what their screens show.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "analysis/analysis_pass.h"
#include "analysis/fonts/font_edits.h"
#include "formats/code_page_file.h"
#include "support/bmp_file.h"
#include "support/run_cli.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::runCli;
using test::TempFolder;

#ifdef _WIN32
#define QUARZEL_NEEDS_BOCHS() GTEST_SKIP() << "boot runs on Linux"
#else
#define QUARZEL_NEEDS_BOCHS() \
  if (std::system("command -v bochs >/dev/null && command -v Xvfb >/dev/null") != 0) GTEST_SKIP() << "Bochs absent"
#endif

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The picture's pixels as RGB triples, row by row, through ImageMagick.
struct Picture {
  int width = 0, height = 0;
  std::string rgb;
  std::uint32_t at(int x, int y) const {
    const std::size_t i = 3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x));
    return static_cast<std::uint32_t>(static_cast<unsigned char>(rgb[i]) << 16 | static_cast<unsigned char>(rgb[i + 1]) << 8 |
                                      static_cast<unsigned char>(rgb[i + 2]));
  }
};
Picture readPng(const TempFolder& folder, const std::string& png, int width, int height) {
  const std::string raw = folder.path("screen.rgb");
  EXPECT_EQ(std::system(("convert \"" + folder.path(png) + "\" -depth 8 rgb:\"" + raw + "\"").c_str()), 0);
  return {width, height, test::readFile(raw)};
}

// The line boot --mode prints: "mode 117h: 1024 x 768 x 16 @ 60 Hz, pixel
// clock 65.028 MHz".
struct ModeLine {
  unsigned width = 0, height = 0, bitsPerPixel = 0;
  double hertz = 0, pixelClock = 0;
};
std::optional<ModeLine> modeLine(const std::string& out, const std::string& mode) {
  const std::size_t at = out.find("\nmode " + mode + ": ");
  ModeLine line;
  if (at == std::string::npos ||
      std::sscanf(out.c_str() + at + mode.size() + 8, "%u x %u x %u @ %lf Hz, pixel clock %lf MHz", &line.width,
                  &line.height, &line.bitsPerPixel, &line.hertz, &line.pixelClock) != 5)
    return std::nullopt;
  return line;
}

TEST(Boot, EveryRealRomReachesItsSignOn) {
  QUARZEL_NEEDS_BOCHS();
  for (const test::RealRom& name : test::kRealRoms) {
    QUARZEL_REAL_ROM(rom, name);
    Image image = rom;
    BiosLayout layout;
    AnalysisPass(image, layout);
    const auto run = runCli("boot \"" + test::realRomPath(name) + "\"");
    EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    // A silent OEM build keeps its sign-on but prints none, yet its start-up
    // ran: the PC BIOS's own lines show.
    if (layout.bootString1.printed)
      EXPECT_EQ(firstLine(run.out), layout.logoLines[0]) << name;
    else
      EXPECT_EQ(firstLine(run.out).rfind("Bochs", 0), 0u) << name << ": " << run.out;
  }
}

TEST(Boot, EditedTextAndFontShowOnTheScreen) {
  QUARZEL_NEEDS_BOCHS();
  if (!test::readRealRom(test::k3k12sd)) GTEST_SKIP() << test::kRealImageAbsent << test::k3k12sd;
  const auto cpi = test::readSharedFile("data/EGA2.CPI");
  if (!cpi) GTEST_SKIP() << test::kSharedDataAbsent << "EGA2.CPI";
  const TempFolder folder;
  const auto edit = runCli("edit \"" + test::realRomPath(test::k3k12sd) + "\" -o " + folder.quoted("e.rom") +
                           " --string1 \"Tuned by quarzel\\r\\n\" --string2 \"Second line\\r\\n\" --codepage \"" +
                           test::sharedPath("data/EGA2.CPI") + "\":1117:8x16");
  ASSERT_EQ(edit.status, 0) << edit.err;
  const auto run = runCli("boot " + folder.quoted("e.rom") + " -o " + folder.quoted("e.png"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(firstLine(run.out), "Tuned by quarzel");
  EXPECT_NE(run.out.find("\nSecond line\n"), std::string::npos) << run.out;

  // The first row's cells in the picture (9 x 16 pixels each) hold the
  // imported glyphs: pixel lit exactly where the font's bit is set.
  const CodePageFile file = *parseCodePageFile(*cpi).file;
  std::span<const std::uint8_t> font;
  for (const UsableFont& f : usableFonts(file, 1117))
    if (f.size == Font8x16) font = f.glyphs;
  const Picture picture = readPng(folder, "e.png", 720, 400);
  ASSERT_EQ(picture.rgb.size(), 720u * 400 * 3);
  const std::string shown = "Tuned by quarzel";
  int wrong = 0;
  for (std::size_t c = 0; c < shown.size(); ++c)
    for (int row = 0; row < 16; ++row)
      for (int bit = 0; bit < 8; ++bit) {
        const bool set = font[static_cast<unsigned char>(shown[c]) * 16u + static_cast<unsigned>(row)] & (0x80 >> bit);
        if (set != (picture.at(static_cast<int>(c) * 9 + bit, row) != 0)) ++wrong;
      }
  EXPECT_EQ(wrong, 0);
}

// The text page's rows that the video BIOS wrote: those above the PC BIOS's
// first line.
int videoBiosRows(const std::string& page) {
  int rows = 0;
  for (std::size_t at = 0; at < page.size() && page.compare(at, 6, "Bochs ") != 0; at = page.find('\n', at) + 1) {
    if (page.find('\n', at) == std::string::npos) return 0;  // no PC BIOS line: no count
    ++rows;
  }
  return rows;
}

// The preview against the emulated card's screen: every pixel of the rows the
// video BIOS drew (the whole screen in mode 12h) lit where lit and in the
// same colour within the 6-bit DAC's rounding (the emulator shows 2Ah as
// A8h, quarzel as AAh). Returns the rows compared.
int expectPreviewAgrees(const TempFolder& folder, const std::string& rom, const std::string& what) {
  const auto boot = runCli("boot \"" + rom + "\" -o " + folder.quoted("boot.png"));
  EXPECT_EQ(boot.status, 0) << what << ": " << boot.err;
  const auto preview = runCli("preview \"" + rom + "\" -o " + folder.quoted("preview.png"));
  EXPECT_EQ(preview.status, 0) << what << ": " << preview.err;
  const bool logo = boot.out.find("graphics mode 12h") != std::string::npos;
  const int width = logo ? 640 : 720, height = logo ? 480 : 400;
  const int rows = logo ? height : videoBiosRows(boot.out) * 16;
  const Picture card = readPng(folder, "boot.png", width, height), drawn = readPng(folder, "preview.png", width, height);
  if (card.rgb.size() != drawn.rgb.size() || drawn.rgb.size() != 3u * static_cast<unsigned>(width * height)) {
    ADD_FAILURE() << what << ": the pictures differ in size";
    return 0;
  }
  int wrong = 0;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < width; ++x)
      for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>(card.at(x, y) >> shift & 0xFF), b = static_cast<int>(drawn.at(x, y) >> shift & 0xFF);
        if ((a == 0) != (b == 0) || std::abs(a - b) > 3) {
          ++wrong;
          break;
        }
      }
  EXPECT_EQ(wrong, 0) << what << ": pixels that differ in the top " << rows << " rows";
  return rows;
}

TEST(Boot, ThePreviewAgreesWithTheEmulatedCardOnEveryRealRom) {
  QUARZEL_NEEDS_BOCHS();
  for (const test::RealRom& name : test::kRealRoms) {
    QUARZEL_REAL_ROM(rom, name);
    BiosLayout layout;
    AnalysisPass(rom, layout);
    const TempFolder folder;
    const int rows = expectPreviewAgrees(folder, test::realRomPath(name), name.file);
    // The silent build's screen is blank above the PC BIOS's lines; every
    // other prints its sign-on, its name and the line feeds after them.
    EXPECT_EQ(rows, layout.bootString1.printed ? 96 : 0) << name;
    if (!layout.bootString1.printed) {
      const Picture drawn = readPng(folder, "preview.png", 720, 400);
      EXPECT_EQ(drawn.rgb.find_first_not_of('\0'), std::string::npos) << name;
    }
  }
}

// The edits a user checks before flashing, on 3k12sd.rom: string 1 in three
// lines, one with line-graphics codes (the ninth column rule); string 2 at
// its full 120 characters, wrapping past the last column; a code page in
// all three fonts (code page 866 is in neither file of ../shared/data:
// 852, whose glyphs differ from the ROM's); and a logo.
TEST(Boot, ThePreviewAgreesWithTheEmulatedCardAfterEdits) {
  QUARZEL_NEEDS_BOCHS();
  if (!test::readRealRom(test::k3k12sd)) GTEST_SKIP() << test::kRealImageAbsent << test::k3k12sd;
  if (!test::readSharedFile("data/EGA.CPI")) GTEST_SKIP() << test::kSharedDataAbsent << "EGA.CPI";
  const TempFolder folder;
  const auto bmp = test::paintedBars(48, {9, 10, 12, 14});
  test::writeFile(folder.path("logo.bmp"), std::string(bmp.begin(), bmp.end()));
  const std::string string2 = std::string(118, 'W') + "\\r\\n";
  const std::pair<std::string, int> edits[] = {
      {"--string1 \"Line one \\xC9\\xCD\\xBB \\xC4\\xB3\\xDB\\r\\nLine two\\r\\nLine three\\r\\n\"", 96},
      {"--string2 \"" + string2 + "\"", 112},
      {"--codepage \"" + test::sharedPath("data/EGA.CPI") + "\":852", 96},
      {"--logo " + folder.quoted("logo.bmp") + " --logo-line \"1=Line \\xC9\\xCD\\xBB\"", 480},
  };
  for (const auto& [edit, rows] : edits) {
    const auto run = runCli("edit \"" + test::realRomPath(test::k3k12sd) + "\" -o " + folder.quoted("e.rom") + " " + edit);
    ASSERT_EQ(run.status, 0) << edit << ": " << run.err;
    EXPECT_EQ(expectPreviewAgrees(folder, folder.path("e.rom"), edit), rows) << edit;
  }
}

// A paint program's red, green and blue bars (Windows palette indexes 9, 10
// and 12) boot red, green and blue: each colour became its nearest VGA
// colour when the picture was read, as the Logo page shows it.
TEST(Boot, TheLogoBootsInTheColoursOfItsFile) {
  QUARZEL_NEEDS_BOCHS();
  if (!test::readRealRom(test::k3k12sd)) GTEST_SKIP() << test::kRealImageAbsent << test::k3k12sd;
  const TempFolder folder;
  const auto bmp = test::paintedBars(16, {9, 10, 12});
  test::writeFile(folder.path("logo.bmp"), std::string(bmp.begin(), bmp.end()));
  ASSERT_EQ(runCli("edit \"" + test::realRomPath(test::k3k12sd) + "\" -o " + folder.quoted("l.rom") + " --logo " +
                   folder.quoted("logo.bmp"))
                .status,
            0);
  const auto run = runCli("boot " + folder.quoted("l.rom") + " -o " + folder.quoted("l.png"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("graphics mode 12h"), std::string::npos);
  // VGA's red, green and blue, as the emulator shows its 6-bit DAC.
  constexpr std::uint32_t kBars[] = {0xA80000, 0x00A800, 0x0000A8};
  const Picture picture = readPng(folder, "l.png", 640, 480);
  ASSERT_EQ(picture.rgb.size(), 640u * 480 * 3);
  int wrong = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x)
      if (picture.at(1 + x, y) != kBars[x / 16]) ++wrong;
  EXPECT_EQ(wrong, 0);
}

// 3k12sd.rom's free bytes past its 40 KiB ROM take a 120 x 127 logo once the
// ROM grows: the grown ROM starts and draws it. With the logo removed again,
// the ROM boots with its own sign-on.
TEST(Boot, AGrownRomShowsItsLogoAndARemovedOneItsSignOn) {
  QUARZEL_NEEDS_BOCHS();
  if (!test::readRealRom(test::k3k12sd)) GTEST_SKIP() << test::kRealImageAbsent << test::k3k12sd;
  const TempFolder folder;
  const auto bmp = test::paintedBars(127, {9, 10, 12}, 40);
  test::writeFile(folder.path("big.bmp"), std::string(bmp.begin(), bmp.end()));
  const std::string rom = "\"" + test::realRomPath(test::k3k12sd) + "\"";
  EXPECT_EQ(runCli("edit " + rom + " -o " + folder.quoted("g.rom") + " --logo " + folder.quoted("big.bmp")).status, 1);
  ASSERT_EQ(runCli("edit " + rom + " -o " + folder.quoted("g.rom") + " --grow --logo " + folder.quoted("big.bmp")).status,
            0);
  const auto grown = runCli("boot " + folder.quoted("g.rom") + " -o " + folder.quoted("g.png"));
  ASSERT_EQ(grown.status, 0) << grown.err;
  const Picture picture = readPng(folder, "g.png", 640, 480);
  ASSERT_EQ(picture.rgb.size(), 640u * 480 * 3);
  EXPECT_EQ(picture.at(1, 126), 0xA80000u);
  EXPECT_EQ(picture.at(1 + 119, 126), 0x0000A8u);

  ASSERT_EQ(runCli("edit " + folder.quoted("g.rom") + " -o " + folder.quoted("r.rom") + " --remove-logo").status, 0);
  const auto removed = runCli("boot " + folder.quoted("r.rom"));
  ASSERT_EQ(removed.status, 0) << removed.err;
  const auto original = runCli("boot " + rom);
  EXPECT_EQ(firstLine(removed.out), firstLine(original.out));
  EXPECT_EQ(removed.out.find("graphics mode"), std::string::npos);
}

// After the screen at the boot floppy, the boot sector sets the mode and the
// emulated card reports what it computes from the BIOS's CRTC totals and PLL.
TEST(Boot, ReportsTheModeTheBiosSets) {
  QUARZEL_NEEDS_BOCHS();
  if (!test::readRealRom(test::k3k12sd)) GTEST_SKIP() << test::kRealImageAbsent << test::k3k12sd;
  const std::string rom = "\"" + test::realRomPath(test::k3k12sd) + "\"";
  const auto run = runCli("boot " + rom + " --mode 117h");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto line = modeLine(run.out, "117h");
  ASSERT_TRUE(line) << run.out;
  EXPECT_EQ(line->width, 1024u);
  EXPECT_EQ(line->height, 768u);
  EXPECT_EQ(line->bitsPerPixel, 16u);
  EXPECT_NEAR(line->hertz, 60, 0.5);
  EXPECT_NEAR(line->pixelClock, 65.03, 0.01);
  EXPECT_NE(run.out.find("Booting from Floppy...\nmode 117h: "), std::string::npos) << run.out;

  const auto refused = runCli("boot " + rom + " --mode 1FFh");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("the BIOS refused mode 1FFh (INT 10h AX=4F02h returned AX=014Fh)"), std::string::npos)
      << refused.err;
  EXPECT_EQ(refused.out.find("mode 1FFh"), std::string::npos) << refused.out;

  // A number the option takes reaches the missing file (status 1); one it
  // refuses stops at the usage (status 2).
  EXPECT_EQ(runCli("boot missing.rom --mode 0x117").status, 1);
  EXPECT_EQ(runCli("boot missing.rom --mode 117").status, 1);
  EXPECT_EQ(runCli("boot missing.rom --mode 117q").status, 2);
  EXPECT_EQ(runCli("boot missing.rom --mode 10000h").status, 2);
}

// 3k12sd.rom set to 1024x768 at 85 Hz: the emulated card runs mode 117h at
// the VESA clock of 94.5 MHz and the refresh quarzel reads, 84.997 Hz, which
// the emulator cuts to whole hertz.
TEST(Boot, ARefreshRateSetRunsOnTheEmulatedCard) {
  QUARZEL_NEEDS_BOCHS();
  if (!test::readRealRom(test::k3k12sd)) GTEST_SKIP() << test::kRealImageAbsent << test::k3k12sd;
  const TempFolder folder;
  ASSERT_EQ(runCli("edit \"" + test::realRomPath(test::k3k12sd) + "\" -o " + folder.quoted("r.rom") +
                   " --refresh 1024x768@85")
                .status,
            0);
  const auto modes = runCli("modes --json " + folder.quoted("r.rom"));
  EXPECT_NE(modes.out.find("\"refresh\": \"85.00 Hz\""), std::string::npos);
  const auto run = runCli("boot " + folder.quoted("r.rom") + " --mode 117h");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto line = modeLine(run.out, "117h");
  ASSERT_TRUE(line) << run.out;
  EXPECT_EQ(line->width, 1024u);
  EXPECT_NEAR(line->pixelClock, 94.5, 0.01);
  EXPECT_EQ(line->hertz, 84.0);
}

// The built-in sample, which needs nothing from ../shared: its code is no
// real video BIOS, so it never comes back to the PC BIOS.
TEST(Boot, RefusesWhatCannotStart) {
  QUARZEL_NEEDS_BOCHS();
  const TempFolder folder;
  ASSERT_EQ(runCli("sample -o " + folder.quoted("s.rom")).status, 0);
  const auto late = runCli("boot " + folder.quoted("s.rom") + " --timeout 0.5");
  EXPECT_EQ(late.status, 1);
  EXPECT_NE(late.err.find("did not come back to the PC BIOS within 0.5 s"), std::string::npos) << late.err;

  std::string bytes = test::readFile(folder.path("s.rom"));
  bytes[0x6000] = static_cast<char>(bytes[0x6000] + 1);  // in its free space
  test::writeFile(folder.path("sum.rom"), bytes);
  const auto broken = runCli("boot " + folder.quoted("sum.rom"));
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("checksum is wrong"), std::string::npos) << broken.err;

  // A Napalm BIOS: the emulator has no such card. The sample's PCI data
  // structure is at 60h.
  bytes[0x60 + 6] = 0x09;
  test::writeFile(folder.path("napalm.rom"), bytes);
  const auto napalm = runCli("boot " + folder.quoted("napalm.rom"));
  EXPECT_EQ(napalm.status, 1);
  EXPECT_NE(napalm.err.find("no card for a Napalm-based card"), std::string::npos) << napalm.err;
  EXPECT_EQ(runCli("boot").status, 2);
  EXPECT_EQ(runCli("boot x.rom --timeout 0").status, 2);
}

}  // namespace
}  // namespace quarzel
