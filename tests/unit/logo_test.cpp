#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/analysis_pass.h"
#include "analysis/strings/sign_on_code.h"
#include "analysis/logo/logo_edit.h"
#include "analysis/pci_vesa/pcir_locator.h"
#include "formats/logo_block.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;
using Lines = std::array<std::string, kLogoLines>;

std::vector<std::uint8_t> hexBytes(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::uint8_t> bytes;
  for (unsigned value = 0; in >> std::hex >> value;) bytes.push_back(static_cast<std::uint8_t>(value));
  return bytes;
}

std::vector<std::uint8_t> slice(const Image& image, std::size_t offset, std::size_t length) {
  const auto first = image.bytes.begin() + static_cast<std::ptrdiff_t>(offset);
  return {first, first + static_cast<std::ptrdiff_t>(length)};
}

std::vector<std::uint8_t> patch(std::size_t bootCode, std::size_t base) {
  const auto bytes = callPatch(bootCode, base);
  return {bytes.begin(), bytes.end()};
}

SavedSignOn signOnAt(const Image& image, std::size_t at) {
  SavedSignOn code;
  std::copy_n(image.bytes.begin() + static_cast<std::ptrdiff_t>(at), code.size(), code.begin());
  return code;
}

// Rows with bytes that differ from their neighbours and from FFh.
LogoPicture picture(std::int32_t width, std::int32_t height) {
  LogoPicture p;
  p.width = width;
  p.height = height;
  for (std::int32_t i = 0; i < width * height / 2; ++i) p.rows.push_back(static_cast<std::uint8_t>(i % 251));
  return p;
}

// A block of an earlier version, without the kept sign-on code: T = 8000h +
// 137 + 64 x 48 / 2 = 8689h; text column 64 / 8 + 1 = 9.
constexpr const char* kRoutineWithoutSignOn =
    "06 B8 12 00 CD 10 8C CD 8E C5 BE 89 80 B4 0C 33 DB 33 D2 33 C9 26 8A 04 C0 E8 04 41"
    " CD 10 26 8A 04 24 0F 41 CD 10 46 83 F9 40 75 E9 42 83 FA 30 75 E1"
    " B8 01 13 BB 07 00 B9 02 00 BA 09 00 BD 89 86 CD 10"
    " B8 01 13 BB 07 00 B9 00 00 BA 09 01 BD 8B 86 CD 10"
    " B8 01 13 BB 07 00 B9 01 00 BA 09 02 BD 8B 86 CD 10"
    " B8 01 13 BB 07 00 B9 00 00 BA 09 03 BD 8C 86 CD 10"
    " B8 01 13 BB 07 00 B9 00 00 BA 09 04 BD 8C 86 CD 10"
    " 07 C3";

TEST(LogoBlock, MatchesTheRoutineByteForByte) {
  const LogoPicture p = picture(64, 48);
  EXPECT_EQ(logoRunBytes(p), 2048u + 27);
  const Lines lines{"AB", "", "C", "", ""};
  const auto old = buildLogoBlock(0x8000, p, lines, std::nullopt);
  const auto code = hexBytes(kRoutineWithoutSignOn);
  ASSERT_EQ(code.size(), kLogoCodeBytes);
  ASSERT_EQ(old.size(), 137u + 1536 + 4);
  EXPECT_EQ(std::vector<std::uint8_t>(old.begin(), old.begin() + 137), code);
  EXPECT_EQ(std::vector<std::uint8_t>(old.begin() + 137, old.begin() + 137 + 1536), p.rows);
  EXPECT_EQ(std::vector<std::uint8_t>(old.end() - 4, old.end()), hexBytes("41 42 43 00"));

  // The kept sign-on code follows the routine; the picture and the texts
  // move on by its 27 bytes (P = 80A4h, T = 86A4h).
  SavedSignOn signOn;
  for (std::size_t i = 0; i < signOn.size(); ++i) signOn[i] = static_cast<std::uint8_t>(0xA0 + i);
  const auto block = buildLogoBlock(0x8000, p, lines, signOn);
  ASSERT_EQ(block.size(), old.size() + 27);
  auto shifted = code;
  shifted[11] = 0xA4;
  for (const std::size_t call : {50u, 67u, 84u, 101u, 118u}) shifted[call + 13] = static_cast<std::uint8_t>(shifted[call + 13] + 27);
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 137), shifted);
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 137, block.begin() + 164), std::vector<std::uint8_t>(signOn.begin(), signOn.end()));
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 164, block.begin() + 164 + 1536), p.rows);
}

TEST(LogoBlock, CallPatchReachesTheBlockForwardAndBack) {
  const std::string nops = " 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90";
  EXPECT_EQ(patch(0x1234, 0x8000), hexBytes("E8 C9 6D" + nops));
  EXPECT_EQ(patch(0x7708, 0x0100), hexBytes("E8 F5 89" + nops));  // 0100h - 770Bh, wrapped
}

TEST(FindFreeRun, StaysInsideTheRomAndTakesTheLowestRun) {
  struct Case {
    const char* what;
    Image image;
    std::optional<std::size_t> run;
  };
  auto rom = [](std::uint8_t lengthByte, std::size_t ffFrom) {
    return RomBuilder(65536).romLengthByte(lengthByte).fill(ffFrom, 65536 - ffFrom, 0xFF).build(false);
  };
  Image small = rom(0x40, 0x37FF);
  small.size = 0x4000;
  Image smallNone = small;
  smallNone.bytes[0x37FF] = 0;
  const Case cases[] = {
      // A 40 KiB ROM in a 64 KiB file: FFh up to the file's end does not count.
      {"40 KiB ROM, run reaching A000h", rom(0x50, 0x9800), std::nullopt},
      {"40 KiB ROM, run ending on the checksum byte", rom(0x50, 0x97FF), 0x97FF},
      {"32 KiB ROM in a 64 KiB file", rom(0x40, 0x7800), std::nullopt},
      {"32 KiB ROM, run ending on the checksum byte", rom(0x40, 0x77FF), 0x77FF},
      {"file shorter than the ROM", small, 0x37FF},
      {"file shorter than the ROM, no room", smallNone, std::nullopt},
      {"ROM length 0", rom(0x00, 0x0100), std::nullopt},
      {"lowest run, found again after a break",
       RomBuilder(32768).fill(0x0100, 0x07FF, 0xFF)             // one byte short
           .fill(0x1000, 0x1000, 0xFF).byte(0x1400, 0x00)       // broken, then 0BFFh long
           .fill(0x4000, 0x0800, 0xFF).build(false),
       0x1401},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(findFreeRun(c.image, 0x800), c.run);
  }
  EXPECT_EQ(findFreeRun(rom(0x80, 0x0004), 0xFFFB), 0x0004u);
  EXPECT_FALSE(findFreeRun(rom(0x80, 0x0004), 0xFFFC));  // no room left for the checksum byte
}

// A 32 KiB 3dfx ROM: sign-on code at 1234h, PCIR of vendor 121Ah at 7D20h,
// free FFh bytes at 4000h to 4FFFh.
struct Bios {
  Image image;
  BiosLayout layout;
};

Bios threeDfxBios() {
  Bios bios;
  bios.image = RomBuilder(32768)
                   .place(kString1Main, 0x1234)
                   .place(kPcirSignature, 0x7D20)
                   .word(0x7D20 + kPcirVendorId, k3dfxVendorId)
                   .fill(0x4000, 0x1000, 0xFF)
                   .build(false);
  bios.layout.bootCodeAddress = 0x1234;
  bios.layout.pcir = 0x7D20;
  return bios;
}

TEST(ApplyLogo, WritesTheCallThenTheBlockAndNothingElse) {
  Bios bios = threeDfxBios();
  const Image before = bios.image;
  const LogoPicture p = picture(64, 48);
  const Lines lines{"Voodoo", "", "3dfx", "", "ok"};
  const EditResult result = applyLogo(bios.image, bios.layout, p, lines);
  ASSERT_TRUE(result.ok());
  const auto block = buildLogoBlock(0x4000, p, lines, signOnAt(before, 0x1234));
  const std::vector<ByteRange> written{{0x1234, 27}, {0x4000, block.size()}};
  EXPECT_EQ(result.written, written);
  Image expected = before;
  const auto call = patch(0x1234, 0x4000);
  std::copy(call.begin(), call.end(), expected.bytes.begin() + 0x1234);
  std::copy(block.begin(), block.end(), expected.bytes.begin() + 0x4000);
  EXPECT_TRUE(bios.image.bytes == expected.bytes);
}

// Applied again once the pass has found the logo: the new block takes the
// old one's place, and what the old one held past the new one turns FFh.
TEST(ApplyLogo, ASecondApplyReplacesTheInstalledBlock) {
  Bios bios = threeDfxBios();
  const LogoPicture p = picture(64, 48);
  ASSERT_TRUE(applyLogo(bios.image, bios.layout, p, {"the first logo's line", "", "", "", ""}).ok());
  BiosLayout installed;
  AnalysisPass(bios.image, installed);
  ASSERT_TRUE(installed.logo);
  EXPECT_EQ(installed.logo->block.base, 0x4000u);
  EXPECT_EQ(installed.bootCodeAddress, 0x1234);
  const Image before = bios.image;
  const EditResult result = applyLogo(bios.image, installed, p, {"two", "", "", "", ""});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(slice(bios.image, 0x1234, 27), patch(0x1234, 0x4000));
  const auto block = buildLogoBlock(0x4000, p, {"two", "", "", "", ""}, signOnAt(before, 0x4000 + 137));
  EXPECT_EQ(slice(bios.image, 0x4000, block.size()), block);
  EXPECT_EQ(slice(bios.image, 0x4000 + block.size(), 18), std::vector<std::uint8_t>(18, 0xFF));

  // A taller picture does not fit there: it takes the next run, and the old
  // block's bytes are free again.
  bios.image.bytes[0x4000 + 2100] = 0;
  std::fill_n(bios.image.bytes.begin() + 0x5000, 0x1000, 0xFF);
  BiosLayout again;
  AnalysisPass(bios.image, again);
  const EditResult moved = applyLogo(bios.image, again, picture(64, 60), {});
  ASSERT_TRUE(moved.ok());
  EXPECT_EQ(moved.written[0], (ByteRange{0x4000, block.size()}));
  EXPECT_EQ(slice(bios.image, 0x1234, 27), patch(0x1234, 0x4000 + 2101));
  EXPECT_EQ(slice(bios.image, 0x4000, 64), std::vector<std::uint8_t>(64, 0xFF));
}

// Remove puts the sign-on code back and frees the block: the image is the
// one before the logo, byte for byte; the pass finds string 1 there again.
TEST(RemoveLogo, GivesBackTheImageBeforeTheLogo) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  Image image = rom;
  BiosLayout layout;
  AnalysisPass(image, layout);
  const BootString string1 = layout.bootString1;
  ASSERT_TRUE(applyLogo(image, layout, picture(64, 48), {"Tuned", "", "", "", ""}).ok());
  BiosLayout installed;
  AnalysisPass(image, installed);
  ASSERT_TRUE(installed.logo && installed.logo->block.savedCode);
  EXPECT_EQ(installed.logoLines[0], "Tuned");
  EXPECT_EQ(installed.bootString1.address, string1.address);
  EXPECT_EQ(installed.bootString1.maxLength, string1.maxLength);
  EXPECT_EQ(installed.bootString1.lengthWord, *installed.logo->block.savedCode + 11);
  // The kept code's call counts from where the logo's call stands.
  EXPECT_EQ(findSignOnCode(image, installed.logo)->printer, findSignOnCode(rom, std::nullopt)->printer);
  EXPECT_EQ(blockPicture(image, installed.logo->block).rows, picture(64, 48).rows);
  const EditResult removed = removeLogo(image, installed);
  ASSERT_TRUE(removed.ok());
  EXPECT_TRUE(image.bytes == rom.bytes);
  EXPECT_EQ(removeLogo(image, layout).error, EditError::NoLogo);
}

// A block of an earlier version kept no sign-on code: its picture and lines
// are found and it can be replaced in its own layout, but string 1 is not
// found and Remove is refused.
TEST(RemoveLogo, ABlockOfAnEarlierVersionIsKnownButKeptNothing) {
  Bios bios = threeDfxBios();
  const LogoPicture p = picture(64, 48);
  const auto block = buildLogoBlock(0x4000, p, {"old", "", "", "", ""}, std::nullopt);
  std::copy(block.begin(), block.end(), bios.image.bytes.begin() + 0x4000);
  const auto call = patch(0x1234, 0x4000);
  std::copy(call.begin(), call.end(), bios.image.bytes.begin() + 0x1234);
  BiosLayout layout;
  AnalysisPass(bios.image, layout);
  ASSERT_TRUE(layout.logo);
  EXPECT_FALSE(layout.logo->block.savedCode);
  EXPECT_EQ(layout.logoLines[0], "old");
  EXPECT_EQ(layout.bootCodeAddress, 0x1234);
  EXPECT_FALSE(layout.bootString1.address);
  Image image = bios.image;
  EXPECT_EQ(removeLogo(image, layout).error, EditError::LogoKeepsNoSignOn);
  ASSERT_TRUE(applyLogo(image, layout, p, {"new", "", "", "", ""}).ok());
  EXPECT_EQ(slice(image, 0x4000, block.size()), buildLogoBlock(0x4000, p, {"new", "", "", "", ""}, std::nullopt));
}

// A block whose last bytes lie past the end of a cut file is not the
// program's: Remove would write past the end.
TEST(RemoveLogo, ABlockCutByTheImagesEndIsNotFound) {
  Bios bios = threeDfxBios();
  ASSERT_TRUE(applyLogo(bios.image, bios.layout, picture(64, 48), {"cut", "", "", "", ""}).ok());
  BiosLayout layout;
  AnalysisPass(bios.image, layout);
  ASSERT_TRUE(layout.logo);
  Image image = bios.image;
  image.size = layout.logo->block.base + layout.logo->block.size;
  std::fill(image.bytes.begin() + static_cast<std::ptrdiff_t>(image.size), image.bytes.end(), 0);
  AnalysisPass(image, layout);
  EXPECT_TRUE(layout.logo);
  --image.size;  // the block's last byte, its 0, is the zero fill's
  AnalysisPass(image, layout);
  EXPECT_FALSE(layout.logo);
  EXPECT_EQ(removeLogo(image, layout).error, EditError::NoLogo);
}

TEST(ApplyLogo, CutsEachLineTo255CharactersBeforeCounting) {
  Bios bios = threeDfxBios();
  const LogoPicture p = picture(64, 48);
  const EditResult result =
      applyLogo(bios.image, bios.layout, p, {std::string(300, 'a'), std::string(119, 'b'), "", "", ""});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.written[1].length, 164u + 1536 + kLogoTextCapacity + 1);
  EXPECT_EQ(bios.image.word(0x4000 + 50 + 7), std::uint16_t{kLogoLineChars});
  EXPECT_EQ(bios.image.word(0x4000 + 67 + 7), 119);
  EXPECT_EQ(bios.image.text(0x4000 + 164 + 1536), std::string(kLogoLineChars, 'a') + std::string(119, 'b'));
}

TEST(ApplyLogo, KeepsTheBlockOffTheBytesOfTheCall) {
  // FFh right behind the 24 matched bytes: the call's last 3 bytes are not free.
  Bios bios = threeDfxBios();
  bios.image.bytes[0x124C] = bios.image.bytes[0x124D] = bios.image.bytes[0x124E] = 0xFF;
  std::fill_n(bios.image.bytes.begin() + 0x124F, 0x900, 0xFF);
  const EditResult result = applyLogo(bios.image, bios.layout, picture(64, 48), {});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.written[1].offset, 0x124Fu);
  EXPECT_EQ(slice(bios.image, 0x1234, 27), patch(0x1234, 0x124F));
}

TEST(ApplyLogo, RefusesInTheOrderOfItsChecksWritingNothing) {
  struct Case {
    const char* what;
    Bios bios;
    LogoPicture picture;
    Lines lines;
    EditError error;
  };
  auto bios = [](auto change) {
    Bios b = threeDfxBios();
    change(b);
    return b;
  };
  const auto noBootCode = [](Bios& b) { b.layout.bootCodeAddress.reset(); };
  const auto noPcir = [](Bios& b) { b.layout.pcir.reset(); };
  const auto atiPcir = [](Bios& b) { b.image.bytes[0x7D25] = 0x10; };
  const auto callAtTheBufferEnd = [](Bios& b) { b.layout.bootCodeAddress = 0xFFE6; };
  // 4000h to 4FFFh split into runs of 2047 and 2047 bytes.
  const auto shortRun = [](Bios& b) { b.image.bytes[0x47FF] = b.image.bytes[0x4800] = 0; };
  const auto same = [](Bios&) {};
  LogoPicture shortRows = picture(64, 48);
  shortRows.rows.pop_back();
  const LogoPicture good = picture(64, 48);
  const Lines tooLong{std::string(kLogoLineChars, 'x'), std::string(kLogoTextCapacity - kLogoLineChars + 1, 'y'), "",
                      "", ""};
  const Case cases[] = {
      {"no sign-on code nor PCIR", bios([&](Bios& b) { noBootCode(b); noPcir(b); }), good, {},
       EditError::NoBootCode},
      {"no PCIR", bios(noPcir), good, {}, EditError::NotA3dfxBios},
      {"PCIR of vendor 1002h", bios(atiPcir), good, {}, EditError::NotA3dfxBios},
      {"vendor 1002h and width 12", bios(atiPcir), picture(12, 48), {}, EditError::NotA3dfxBios},
      {"width 12", bios(same), picture(12, 48), {}, EditError::BmpWidthUnsupported},
      {"height 128", bios(same), picture(64, 128), {}, EditError::BmpHeightUnsupported},
      {"fewer rows than the size", bios(same), shortRows, {}, EditError::BmpTruncated},
      {"375 characters", bios(same), good, tooLong, EditError::LogoTextTooLong},
      {"375 characters, no run", bios(shortRun), good, tooLong, EditError::LogoTextTooLong},
      {"call past the buffer", bios(callAtTheBufferEnd), good, {}, EditError::NoBootCode},
      {"runs one byte short", bios(shortRun), good, {}, EditError::NoFreeRun},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image image = c.bios.image;
    const EditResult result = applyLogo(image, c.bios.layout, c.picture, c.lines);
    EXPECT_EQ(result.error, c.error);
    EXPECT_TRUE(result.written.empty());
    EXPECT_TRUE(image.bytes == c.bios.image.bytes);
  }
}

TEST(ApplyLogo, LandsInTheFreeSpaceOfARealRom) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  Image image = rom;
  BiosLayout layout;
  AnalysisPass(image, layout);
  ASSERT_EQ(layout.bootCodeAddress, 0x019E);
  ASSERT_EQ(layout.pcir, 0x8344);
  // Its lowest run of 2075 bytes of FFh below the 40 KiB ROM length starts
  // at 84C0h (the free space runs to 9FF7h).
  const LogoPicture p = picture(64, 48);
  const EditResult result = applyLogo(image, layout, p, layout.logoLines);
  ASSERT_TRUE(result.ok());
  const auto block = buildLogoBlock(0x84C0, p, layout.logoLines, signOnAt(rom, 0x019E));
  const std::vector<ByteRange> written{{0x019E, 27}, {0x84C0, block.size()}};
  EXPECT_EQ(result.written, written);
  EXPECT_EQ(slice(image, 0x019E, 3), hexBytes("E8 1F 83"));  // 84C0h - 01A1h
  EXPECT_EQ(slice(image, 0x84C0, block.size()), block);
  EXPECT_EQ(fixChecksum(image), 40960u);
  EXPECT_TRUE(checksumOk(image));
}

// 3k12sd.rom is a 64 KiB file with a 40 KiB ROM: a 120 x 127 picture needs
// 8159 bytes, more than its largest free run inside the ROM (6968), but the
// 24568 free bytes past it (up to FFF8h, where the board's ids stand) hold
// it: the ROM grows to 48 KiB, in byte 2 and the PCIR, when asked to.
TEST(ApplyLogo, GrowsTheRomIntoFreeBytesPastItWhenAsked) {
  QUARZEL_REAL_ROM(rom, test::k3k12sd);
  Image image = rom;
  BiosLayout layout;
  AnalysisPass(image, layout);
  const LogoPicture p = picture(120, 127);
  const LogoRoom room = logoRoom(image, layout, p);
  EXPECT_EQ(room.needed, 8159u);
  EXPECT_EQ(room.largestInRom, 6968u);
  EXPECT_EQ(room.pastRom, 24064u);  // whole 512-byte steps of the 24568
  EXPECT_EQ(applyLogo(image, layout, p, layout.logoLines).error, EditError::LogoNeedsGrowth);
  EXPECT_TRUE(image.bytes == rom.bytes);
  const EditResult grown = applyLogo(image, layout, p, layout.logoLines, true);
  ASSERT_TRUE(grown.ok());
  EXPECT_EQ(grown.written[1].offset, 0xA000u);
  EXPECT_EQ(image.bytes[2], 0x60);
  EXPECT_EQ(image.word(0x8344 + 16), 0x60);
  EXPECT_EQ(fixChecksum(image), 0xC000u);
  EXPECT_EQ(slice(image, 0xFFF8, 4), slice(rom, 0xFFF8, 4));

  // A file that ends at its ROM length cannot grow: the room says so.
  QUARZEL_REAL_ROM(agp, test::kAgpSg);
  Image exact = agp;
  BiosLayout agpLayout;
  AnalysisPass(exact, agpLayout);
  EXPECT_EQ(applyLogo(exact, agpLayout, picture(8, 1), agpLayout.logoLines, true).error, EditError::NoFreeRun);
  EXPECT_EQ(logoRoomText(logoRoom(exact, agpLayout, picture(8, 1))),
            "the logo needs 543 bytes of FFh; the largest free run inside the ROM holds 364 bytes");
}

}  // namespace
}  // namespace quarzel
