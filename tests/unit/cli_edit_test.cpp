// quarzel-cli's editing commands end to end: the right bytes change, nothing
// else does, the checksum holds, and refused input leaves every file alone.
#include <gtest/gtest.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "analysis/registers/register_fields.h"
#include "analysis/registers/registers.h"
#include "support/run_cli.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using nlohmann::json;
using test::runCli;

// The built-in sample as in.rom, with its report.
struct Sample {
  test::TempFolder folder;
  std::string in = folder.quoted("in.rom");
  std::string out = folder.quoted("out.rom");
  std::string bytes;
  json info;
  Sample() {
    EXPECT_EQ(runCli("sample -o " + in).status, 0);
    bytes = test::readFile(folder.path("in.rom"));
    info = json::parse(runCli("info --json " + in).out);
  }
  std::string edited() const { return test::readFile(folder.path("out.rom")); }
};

// Offsets at which two images differ.
std::vector<std::size_t> changes(const std::string& a, const std::string& b) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) offsets.push_back(i);
  return offsets;
}

void expectOnlyIn(const std::vector<std::size_t>& changed, const std::vector<std::pair<std::size_t, std::size_t>>& ranges) {
  for (const std::size_t offset : changed) {
    const bool inside = std::ranges::any_of(ranges, [&](const auto& r) { return offset >= r.first && offset < r.first + r.second; });
    EXPECT_TRUE(inside) << "unexpected change at " << std::hex << offset;
  }
}

std::string word(unsigned value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }

TEST(CliEdit, StringsDateAndRegistersChangeOnlyTheirBytes) {
  const Sample s;
  const auto run = runCli("edit " + s.in + " -o " + s.out +
                          " --string1 \"Hi\\r\\nthere\" --date 1/2/03 --register pciinit0=abc --pll 1,3,74");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string out = s.edited();
  ASSERT_EQ(out.size(), s.bytes.size());
  const std::size_t string1 = s.info["string1"]["offset"], count = s.info["string1"]["lengthWord"];
  const std::size_t max = s.info["string1"]["maxLength"], date = s.info["date"]["offset"];
  const std::size_t pci = s.info["registers"][0]["offset"], pll = s.info["registers"][6]["offset"];
  EXPECT_EQ(out.substr(string1, max), "Hi\r\nthere" + std::string(max - 9, '\0'));
  EXPECT_EQ(out.substr(count, 2), word(9));
  EXPECT_EQ(out.substr(date, 8), std::string("1/2/03\0\0", 8));
  EXPECT_EQ(out.substr(pci, 4), std::string("\xBC\x0A\0\0", 4));
  EXPECT_EQ(out.substr(pll, 4), std::string("\x0D\x4A\0\0", 4));
  expectOnlyIn(changes(s.bytes, out), {{string1, max + 1}, {count, 2}, {date, 8}, {pci, 4}, {pll, 4}, {0x7FFF, 1}});
  const json edited = json::parse(runCli("info --json " + s.out).out);
  EXPECT_EQ(edited["checksumOk"], true);
  EXPECT_EQ(edited["pllFrequency"], "108.818 MHz");
  EXPECT_EQ(test::readFile(s.folder.path("in.rom")), s.bytes);
}

// A text longer than its field is cut to it, and says so.
TEST(CliEdit, ATextLongerThanItsFieldIsCutWithAWarning) {
  const Sample s;
  const std::string max = std::to_string(s.info["string2"]["maxLength"].get<int>());
  const auto run = runCli("edit " + s.in + " -o " + s.out + " --string2 " + std::string(130, 'x'));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("--string2: 130 characters, cut to the " + max + " its field holds"), std::string::npos)
      << run.err;
}

TEST(CliEdit, DryRunListsTheWrittenRangesAndWritesNothing) {
  const Sample s;
  const auto run = runCli("edit " + s.in + " --dry-run --vesa product-name=XY");
  ASSERT_EQ(run.status, 0) << run.err;
  const unsigned offset = s.info["vesa"]["productName"]["offset"];
  const unsigned length = s.info["vesa"]["productName"]["maxLength"];
  char expected[80];
  std::snprintf(expected, sizeof expected, "%04X-%04X  %5u bytes  --vesa product-name\n", offset, offset + length - 1, length);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), expected);
  EXPECT_NE(run.out.find("7FFF-7FFF      1 byte   checksum\n"), std::string::npos) << run.out;
  EXPECT_FALSE(std::ifstream(s.folder.path("out.rom")).good());
}

TEST(CliEdit, RefusedEditsWriteNothing) {
  const Sample s;
  test::writeFile(s.folder.path("out.rom"), "keep me");
  test::writeFile(s.folder.path("bare.rom"), std::string("\x55\xAA\x01", 3) + std::string(509, '\0'));
  test::writeFile(s.folder.path("short.fnt"), std::string(3584, '\0'));
  test::writeFile(s.folder.path("bad.bmp"), "BA" + std::string(200, '\0'));
  // One code page announced, the file ends inside its entry.
  test::writeFile(s.folder.path("bad.cpi"), std::string("\xFF" "FONT   ", 8) + std::string(15, '\0') + "\x01" + std::string(20, '\0'));
  const std::string bare = s.folder.quoted("bare.rom");
  const std::pair<std::string, std::string> cases[] = {
      {"edit " + bare + " -o " + s.out + " --string1 x", "--string1: not found in this BIOS"},
      {"edit " + bare + " -o " + s.out + " --register AgpInit0=1", "not found in this BIOS"},
      {"edit " + s.in + " -o " + s.out + " --register MiscInit1=zz", "not a hexadecimal number"},
      {"edit " + s.in + " -o " + s.out + " --register MiscInit1=123456789", "larger than 32 bits"},
      {"edit " + s.in + " -o " + s.out + " --font 8x8=" + s.folder.quoted("short.fnt"), "another size"},
      {"edit " + s.in + " -o " + s.out + " --font 8x8=" + s.folder.quoted("none.fnt"), "no such file"},
      {"edit " + s.in + " -o " + s.out + " --logo " + s.folder.quoted("bad.bmp"), "not a BMP file"},
      {"edit " + s.in + " -o " + s.out + " --codepage " + s.folder.quoted("bad.cpi") + ":437", "ends inside"},
      {"edit " + bare + " -o " + s.out + " --date 01/01/99", "not found in this BIOS"},
      {"edit " + bare + " -o " + s.out + " --field AgpInit0:0=1", "--field AgpInit0: not found in this BIOS"},
      {"edit " + bare + " -o " + s.out + " --clock 100", "--clock PLLCtrl1: not found in this BIOS"},
  };
  for (const auto& [command, reason] : cases) {
    SCOPED_TRACE(command);
    const auto run = runCli(command);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_EQ(test::readFile(s.folder.path("out.rom")), "keep me");
  }
  for (const char* usage : {"--pll 4,0,0", "--pll 1,2", "--register Foo=1", "--vesa vendor=x", "--string1 \"a\\q\"",
                            "--logo-line 1=x", "--logo-line 6=x --logo x.bmp", "--font 8x9=a.fnt", "--codepage x.cpi",
                            "--field PCIInit0", "--field Foo:2..6=1", "--field PCIInit0:2..6=x", "--clock 0",
                            "--clock nan", "--clock 1e3", "--clock 1839.887"}) {
    SCOPED_TRACE(usage);
    EXPECT_EQ(runCli("edit " + s.in + " -o " + s.out + " " + usage).status, 2);
  }
  // Bits that are no field, and numbers too large for theirs, say why.
  for (const auto& [field, reason] : {std::pair{"PCIInit0:0..1=1", "its fields are 2..6, 8, 9, 11,"},
                                      {"PCIInit0:29..31=1", "no field at bits '29..31'"},
                                      {"PLLCtrl2:0..1=1", "PLLCtrl2 has no bit fields"},
                                      {"DramInit1:1..9=512", "512 does not fit in 9 bits (0..511)"}}) {
    const auto run = runCli("edit " + s.in + " -o " + s.out + " --field " + field);
    EXPECT_EQ(run.status, 2) << field;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
  }
  EXPECT_EQ(test::readFile(s.folder.path("in.rom")), s.bytes);
}

// Velocity100.VBI with byte 7903h set to BAh: the word its pointer table
// starts with names BA88h, past the 32 KiB image, where the fuzzer saw a
// refresh edit write and report bytes no save keeps.
TEST(CliEdit, NoItemPastTheImagesEnd) {
  const auto rom = test::readSharedFile(std::string("roms/") + test::kVelocity100.file);
  if (!rom) GTEST_SKIP() << test::kRealImageAbsent << test::kVelocity100;
  std::string bytes(rom->begin(), rom->end());
  bytes[0x7903] = static_cast<char>(0xBA);
  const test::TempFolder folder;
  test::writeFile(folder.path("in.rom"), bytes);
  const std::string in = folder.quoted("in.rom"), out = folder.quoted("out.rom");
  EXPECT_NE(runCli("info " + in).out.find("Video parameter table: not found"), std::string::npos);
  EXPECT_TRUE(json::parse(runCli("info --json " + in).out)["videoParameterTable"].is_null());
  for (const std::string& command : {"edit " + in + " -o " + out + " --refresh 640x400@85",
                                     "edit " + in + " --dry-run --refresh 640x400@85"}) {
    const auto run = runCli(command);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("--refresh 640x400@85: the video mode tables of this BIOS were not found"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(test::readFile(folder.path("out.rom")), "");
}

std::string dword(std::uint32_t value) { return word(value & 0xFFFF) + word(value >> 16); }

TEST(CliEdit, FieldsAndClockComeAfterTheRegisterEdits) {
  const Sample s;
  const std::size_t pci = s.info["registers"][0]["offset"], dram = s.info["registers"][3]["offset"],
                    pll = s.info["registers"][6]["offset"];
  // Whatever the command line's order: --register, then the fields, which
  // combine and drop PCIInit0's reserved bits (0..1, 7, 10, 29..31), then
  // the clock, with K 1 and M 3 of 00004A0D kept.
  const auto run = runCli("edit " + s.in + " -o " + s.out + " --clock 100 --field pciinit0:8=0 --register " +
                          "PCIInit0=FFFFFFFF --field PCIInit0:27..28=1 --field DramInit0:14..15=3");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("PLLCtrl1 0000440D: 100.227 MHz"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;
  const std::string out = s.edited();
  EXPECT_EQ(out.substr(pci, 4), dword(0x0FFFFA7C));
  EXPECT_EQ(out.substr(dram, 4), dword(0x0C17DA69));  // from 0C179A69: tCAS latency 2 -> 3
  EXPECT_EQ(out.substr(pll, 4), dword(0x0000440D));
  expectOnlyIn(changes(s.bytes, out), {{pci, 4}, {dram, 4}, {pll, 4}, {0x7FFF, 1}});
  EXPECT_EQ(json::parse(runCli("info --json " + s.out).out)["checksumOk"], true);

  // The K, M and test bit kept are those --pll and --field left; the dry
  // run's list stays on stdout without the clock.
  const auto after = runCli("edit " + s.in + " --dry-run --pll 1,3,74,1 --field PLLCtrl1:0..1=2 --clock 100");
  EXPECT_NE(after.err.find("PLLCtrl1 00018A0E: 100.227 MHz"), std::string::npos) << after.err;
  EXPECT_NE(after.out.find("  --clock PLLCtrl1\n"), std::string::npos) << after.out;
  EXPECT_EQ(after.out.find("MHz"), std::string::npos) << after.out;
  // Past what N reaches with these K and M: the end of N's range, and a warning.
  const auto far = runCli("edit " + s.in + " --dry-run --clock 500");
  EXPECT_NE(far.err.find("PLLCtrl1 0000FF0D: 367.977 MHz"), std::string::npos) << far.err;
  EXPECT_NE(far.err.find("warning: with K 1 and M 3 no N comes nearer to 500 MHz"), std::string::npos) << far.err;
}

TEST(CliEdit, FieldAndClockOnARealImage) {
  const std::string path = test::realRomPath(test::k3k12sd);
  if (!test::readRealRom(test::k3k12sd)) GTEST_SKIP() << test::kRealImageAbsent << test::k3k12sd;
  const test::TempFolder folder;
  ASSERT_EQ(runCli("edit \"" + path + "\" -o " + folder.quoted("out.rom") + " --clock 143.2 --field DramInit1:0=0").status, 0);
  const std::string before = test::readFile(path), out = test::readFile(folder.path("out.rom"));
  // PLLCtrl1 720D (K 1, M 3, N 114) takes N 98; DramInit1 4056C601 loses its refresh bit.
  EXPECT_EQ(out.substr(0x8329, 4), dword(0x0000620D));
  EXPECT_EQ(out.substr(0x8321, 4), dword(0x4056C600));
  expectOnlyIn(changes(before, out), {{0x8329, 4}, {0x8321, 4}, {0x9FFF, 1}});
  EXPECT_EQ(json::parse(runCli("info --json " + folder.quoted("out.rom")).out)["checksumOk"], true);
}

TEST(CliEdit, FontFilesRoundTripAndSyncTheFixups) {
  const Sample s;
  ASSERT_EQ(runCli("font export " + s.in + " 8x16 -o " + s.folder.quoted("f.fnt")).status, 0);
  std::string font = test::readFile(s.folder.path("f.fnt"));
  const std::size_t table = s.info["fonts"]["font8x16"];
  ASSERT_EQ(font, s.bytes.substr(table, 4096));
  for (char& byte : font) byte = static_cast<char>(~byte);
  test::writeFile(s.folder.path("f.fnt"), font);
  const auto run = runCli("edit " + s.in + " -o " + s.out + " --font 8x16=" + s.folder.quoted("f.fnt"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string out = s.edited();
  EXPECT_EQ(out.substr(table, 4096), font);
  // Each fix-up entry now holds the new glyph of its character.
  const std::size_t fixups = s.info["fonts"]["fixup8x16"];
  const auto code = static_cast<unsigned char>(out[fixups]);
  ASSERT_NE(code, 0);
  EXPECT_EQ(out.substr(fixups + 1, 16), font.substr(code * 16u, 16));
  EXPECT_EQ(runCli("font export " + s.in + " 8x15 -o " + s.folder.quoted("g.fnt")).status, 2);
}

TEST(CliEdit, LogoGoesIntoTheFreeRunAndTheSignOnCallPointsAtIt) {
  const Sample s;
  // 64 x 48, 4 bits, every pixel colour 1.
  std::string bmp = "BM" + std::string(52, '\0');
  bmp[10] = 118;
  bmp[14] = 40;
  bmp[18] = 64;
  bmp[22] = 48;
  bmp[26] = 1;
  bmp[28] = 4;
  bmp += std::string(64, '\0') + std::string(64 * 48 / 2, '\x11');
  test::writeFile(s.folder.path("logo.bmp"), bmp);
  const auto run = runCli("edit " + s.in + " -o " + s.out + " --logo " + s.folder.quoted("logo.bmp") +
                          " --logo-line 2=\"\\xB0 quarzel\"");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string out = s.edited();
  const std::size_t boot = s.info["string1"]["bootCode"];
  EXPECT_EQ(out[boot], '\xE8');
  const std::size_t block = (boot + 3 + static_cast<unsigned char>(out[boot + 1]) + 256u * static_cast<unsigned char>(out[boot + 2])) & 0xFFFF;
  EXPECT_EQ(block, 0x5400u);  // the sample's free run
  EXPECT_EQ(out.substr(block, 4), std::string("\x06\xB8\x12\x00", 4));
  const std::string lines = s.info["logoLines"][0].get<std::string>() + "\xB0 quarzel";
  // The routine, the sign-on code it keeps (27 bytes), the picture, the lines.
  EXPECT_EQ(out.substr(block + 137, 27), s.bytes.substr(boot, 27));
  EXPECT_EQ(out.substr(block + 164 + 64 * 48 / 2, lines.size()), lines);
  EXPECT_EQ(json::parse(runCli("info --json " + s.out).out)["checksumOk"], true);
}

TEST(CliCompare, VerdictsAndFrequenciesOfTwoImages) {
  const Sample s;
  ASSERT_EQ(runCli("edit " + s.in + " -o " + s.out + " --register SGRAMmode=32").status, 0);
  const auto run = runCli("compare --json " + s.in + " " + s.out);
  ASSERT_EQ(run.status, 0) << run.err;
  const json report = json::parse(run.out);
  ASSERT_EQ(report["registers"].size(), 9u);
  for (std::size_t i = 0; i < 9; ++i) {
    const json& row = report["registers"][i];
    EXPECT_EQ(row["verdict"], i == 8 ? "differs" : "equals") << row;
    if (i == 8) {
      EXPECT_EQ(row["b"], "00000032");
    }
  }
  EXPECT_EQ(report["pllFrequencyA"], "108.818 MHz");
  EXPECT_EQ(report["pllFrequencyB"], "108.818 MHz");
  const auto text = runCli("compare " + s.in + " " + s.out);
  EXPECT_NE(text.out.find("SGRAMmode "), std::string::npos) << text.out;
}

TEST(CliRegisters, EveryBitOfEveryRegisterAsItsDialogShowsIt) {
  const Sample s;
  const json report = json::parse(runCli("registers --json " + s.in).out);
  ASSERT_EQ(report["registers"].size(), kRegisterCount);
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    const json& entry = report["registers"][i];
    EXPECT_EQ(entry["value"], s.info["registers"][i]["value"]);
    if (i == PLLCtrl2) continue;
    // The numbers of all rows, reserved ones too, at their bits give the
    // value; each text is the table's, its UTF-8 intact.
    const auto rows = rowsOfEveryBit(*registerFieldsFor(i));
    ASSERT_EQ(entry["fields"].size(), rows.size()) << kRegisterNames[i];
    std::uint32_t value = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      EXPECT_EQ(entry["fields"][r]["text"], singleLineText(rows[r]));
      value |= entry["fields"][r]["number"].get<std::uint32_t>() << rows[r].low;
    }
    EXPECT_EQ(value, std::stoul(entry["value"].get<std::string>(), nullptr, 16)) << kRegisterNames[i];
  }
  EXPECT_TRUE(report["registers"][PLLCtrl2]["fields"].is_null());
  EXPECT_EQ(report["registers"][PLLCtrl1]["pll"],
            json::parse(R"({"k": 1, "m": 3, "n": 74, "test": 0, "frequency": "108.818 MHz"})"));

  const auto one = runCli("registers " + s.in + " pllctrl1");
  EXPECT_EQ(one.out.substr(0, one.out.find('\n')), "PLLCtrl1 at 3F98: 00004A0D");
  EXPECT_NE(one.out.find("\n  17..31     0  Reserved\n  K 1, M 3, N 74, test 0: 108.818 MHz\n"), std::string::npos)
      << one.out;
  test::writeFile(s.folder.path("bare.rom"), std::string("\x55\xAA\x01", 3) + std::string(509, '\0'));
  EXPECT_EQ(runCli("registers " + s.folder.quoted("bare.rom") + " MiscInit1").out, "MiscInit1: not found\n");
  EXPECT_EQ(runCli("registers " + s.in + " PLLCtrl3").status, 2);
}

TEST(CliPll, TheKeptDividersAndTheNearestOthers) {
  const Sample s;
  const auto run = runCli("pll " + s.in + " 100");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "PLLCtrl1 at 3F98: 00004A0D, K 1, M 3, N 74, test 0: 108.818 MHz");
  // The kept K and M once; then ten others, nearer, the nearest first.
  const std::size_t kept = run.out.find("\n  K 1  M  3  N  68  0000440D  100.227 MHz   +0.22726 MHz\n");
  ASSERT_NE(kept, std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("K 1  M  3", kept + 4), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("other K and M:\n  K 0  M 34  N 249  0000F988  99.8295 MHz   -0.170467 MHz\n"), std::string::npos);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 14);
  EXPECT_EQ(runCli("pll " + s.in + " 0").status, 2);
  test::writeFile(s.folder.path("bare.rom"), std::string("\x55\xAA\x01", 3) + std::string(509, '\0'));
  EXPECT_EQ(runCli("pll " + s.folder.quoted("bare.rom") + " 100").status, 1);
}

TEST(CliCodePages, ListsImportsAndDrawsFonts) {
  const std::string cpi = test::sharedPath("data/EGA2.CPI");
  if (!test::readSharedFile("data/EGA2.CPI")) GTEST_SKIP() << test::kSharedDataAbsent << "EGA2.CPI";
  const auto list = runCli("codepages \"" + cpi + "\"");
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out.substr(0, list.out.find('\n')), "1116  8x16  8x14  8x8");
  EXPECT_EQ(list.out.substr(list.out.rfind('\n', list.out.size() - 2) + 1), "859  8x16  8x14  8x8\n");

  const Sample s;
  const auto run = runCli("edit " + s.in + " -o " + s.out + " --codepage \"" + cpi + "\":775:8x8");
  ASSERT_EQ(run.status, 0) << run.err;
  // Code page 775 is the first entry; its 8x8 font is the third.
  const std::string file = test::readFile(cpi);
  const std::size_t glyphs = 25 + 34 + 6 + 4096 + 6 + 3584 + 6;
  EXPECT_EQ(s.edited().substr(s.info["fonts"]["font8x8"], 2048), file.substr(glyphs, 2048));
  EXPECT_EQ(runCli("edit " + s.in + " -o " + s.out + " --codepage \"" + cpi + "\":437").status, 1);

  // The preview of 775: the rows of its 8x16 'A' (row 2 of the top band,
  // column 1) in the bottom-up bitmap after the 62-byte header.
  const std::string bmp = s.folder.quoted("775.bmp");
  ASSERT_EQ(runCli("codepages \"" + cpi + "\" --preview 775 -o " + bmp).status, 0);
  const std::string preview = test::readFile(s.folder.path("775.bmp"));
  ASSERT_EQ(preview.size(), 62u + 16384u);
  for (std::size_t row = 0; row < 16; ++row)
    EXPECT_EQ(preview[62 + (511 - 32 - row) * 32 + 1], file[25 + 34 + 6 + 'A' * 16 + row]) << row;
  const auto missing = runCli("codepages \"" + cpi + "\" --preview 437 -o " + s.folder.quoted("437.bmp"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("holds no code page 437"), std::string::npos) << missing.err;
  EXPECT_FALSE(std::ifstream(s.folder.path("437.bmp")).good());
  for (const char* usage : {" --preview 775", " -o x.bmp", " --preview 70000 -o x.bmp", " --preview 775 -o"})
    EXPECT_EQ(runCli("codepages \"" + cpi + "\"" + usage).status, 2) << usage;

  ASSERT_EQ(runCli("sheet " + s.out + " 8x8 -o " + s.folder.quoted("sheet.bmp")).status, 0);
  const std::string sheet = test::readFile(s.folder.path("sheet.bmp"));
  EXPECT_EQ(sheet.size(), 62u + 8192u);
  EXPECT_EQ(sheet.substr(0, 2), "BM");
}

TEST(CliDump, ColoursChangesRedAndTheMarkBlue) {
  const Sample s;
  ASSERT_EQ(runCli("edit " + s.in + " -o " + s.out + " --register SGRAMmode=32").status, 0);
  const auto run = runCli("dump " + s.out + " --against " + s.in + " --mark 10:2 --color always");
  ASSERT_EQ(run.status, 0) << run.err;
  // Line 0 has no change; the mark covers the pairs of bytes 10h and 11h.
  EXPECT_EQ(run.out.find('\x1b'), 80u);
  EXPECT_EQ(run.out.substr(74, 6), "0010: ");
  EXPECT_EQ(run.out.substr(80, 5), "\x1b[34m");
  EXPECT_EQ(run.out.substr(90, 4), "\x1b[0m");
  EXPECT_NE(run.out.find("\x1b[31m"), std::string::npos);
  EXPECT_EQ(runCli("dump " + s.out + " --against " + s.in + " --color never").out, runCli("dump " + s.out).out);
  EXPECT_EQ(runCli("dump " + s.out + " --mark 10").status, 2);
}

}  // namespace
}  // namespace quarzel
