// quarzel-cli diff end to end on real images: what a reading of their bytes
// finds is reported and nothing else, and --as-edits carried through a
// shell into edit leaves exactly what it said it could not carry.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "formats/text_format.h"
#include "support/run_cli.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using nlohmann::json;
using test::runCli;

std::string rom(const test::RealRom& real) { return "\"" + test::realRomPath(real) + "\""; }

#define QUARZEL_NEED_ROMS() \
  if (!test::readRealRom(test::kAgpSg)) GTEST_SKIP() << test::kRealImageAbsent << test::kAgpSg

std::vector<std::string> strings(const json& list) { return list.get<std::vector<std::string>>(); }

std::vector<std::string> notCarried(const json& edits) {
  std::vector<std::string> items;
  for (const json& item : edits["notCarried"]) items.push_back(item["item"]);
  return items;
}

TEST(CliDiff, StatusesAndRefusals) {
  const test::TempFolder folder;
  const std::string sample = folder.quoted("s.rom");
  ASSERT_EQ(runCli("sample -o " + sample).status, 0);
  const auto same = runCli("diff " + sample + " " + sample);
  EXPECT_EQ(same.status, 0);
  EXPECT_NE(same.out.find("A and B are the same, byte for byte."), std::string::npos) << same.out;

  // A file that cannot be used is trouble, as wrong use is: status 2.
  const auto missing = runCli("diff " + sample + " " + folder.quoted("none.rom"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("none.rom: no such file"), std::string::npos) << missing.err;
  for (const char* use : {" --only strings", " --as-edits --only strings,logo", " --as-edits -d \"a b\"",
                          " --as-edits -d x*", " --frob"}) {
    const auto run = runCli("diff " + sample + " " + sample + use);
    EXPECT_EQ(run.status, 2) << use;
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << use;
  }
  EXPECT_EQ(runCli("diff " + sample).status, 2);
  EXPECT_EQ(runCli("edit " + sample + " --dry-run=yes").status, 2);
}

// Against an image too short to hold anything, every item of the sample is
// found in B only: its side of A is null, and nothing is compared.
TEST(CliDiff, ItemsInOneImageOnly) {
  const test::TempFolder folder;
  ASSERT_EQ(runCli("sample -o " + folder.quoted("s.rom")).status, 0);
  test::writeFile(folder.path("tiny.rom"), "\x55\xAA");
  const auto run = runCli("diff --json " + folder.quoted("tiny.rom") + " " + folder.quoted("s.rom"));
  EXPECT_EQ(run.status, 1);
  const json diff = json::parse(run.out);
  for (const json& item :
       {diff["string1"], diff["registers"][6], diff["fonts"][2], diff["pcir"], diff["vesa"]["vendorInfo"]}) {
    EXPECT_EQ(item["verdict"], "onlyB") << item;
    EXPECT_TRUE(item["a"].is_null()) << item;
    EXPECT_FALSE(item["b"].is_null()) << item;
  }
  EXPECT_TRUE(diff["modes"].empty());
  EXPECT_EQ(diff["checksum"]["verdict"], "onlyB");
  const auto text = runCli("diff " + folder.quoted("tiny.rom") + " " + folder.quoted("s.rom"));
  EXPECT_NE(text.out.find("\n  PLLCtrl1: not found in A; B 00004A0D at 3F98\n"), std::string::npos) << text.out;
  EXPECT_EQ(text.out.find("same: all"), std::string::npos) << text.out;
}

// Two Banshee builds: the memory signature is missing from BlasterAGP, whose
// extended records are 5 bytes and numbered otherwise from 80x60 text on;
// the modes hold the same values, so only those rows differ, in their record
// and entry numbers.
TEST(CliDiff, BoardFamilyPairAsTheBytesRead) {
  QUARZEL_NEED_ROMS();
  const auto run = runCli("diff --json " + rom(test::kAgpSg) + " " + rom(test::kBlasterAgp));
  EXPECT_EQ(run.status, 1);
  const json diff = json::parse(run.out);
  std::vector<std::string> expected{
      "string1",           "string2",           "date", "register:MiscInit0", "register:DramInit0",
      "register:PLLCtrl2", "register:SGRAMmode", "videoParameterTable", "extendedModeTable"};
  for (int row : {12, 13, 14, 15, 16, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 38, 39, 43, 44, 47, 48, 50, 51,
                  52, 53, 54})
    expected.push_back("mode:" + std::to_string(row));
  expected.insert(expected.end(), {"checksum", "rest"});
  EXPECT_EQ(strings(diff["differences"]), expected);
  EXPECT_EQ(diff["registers"][1]["verdict"], "onlyA");
  EXPECT_EQ(diff["registers"][7]["b"]["value"], "00002805");
  EXPECT_EQ(diff["string1"]["b"]["countWord"], 102);
  EXPECT_EQ(diff["extendedRecordBytes"]["b"], 5);
  EXPECT_EQ(diff["modes"][0]["result"][0]["name"], "Record");

  const auto text = runCli("diff " + rom(test::kAgpSg) + " " + rom(test::kBlasterAgp));
  for (const char* line :
       {"\n  String 1: A 98 bytes at 7708; B 102 bytes at 7862\n    A | VGA BIOS - Version 1.00.10-SG\n",
        "\n  BIOS date: A \"02/09/99\" at 0038; B \"01/15/99\" at 0038\n",
        "\n  PLLCtrl2: A 00007919 at 7D15; B 00002805 at 7DD8\n", "\n  MiscInit0: A 00000000 at 7CFD; not found in B\n",
        "\nFonts: the same\n", "\n  Extended records: A 6 bytes, B 5 bytes\n",
        "\n  Mode 10Eh  - 320x200 16 bpp (8x8 Font)\n    Index of parameter table 21/23\n    Record 37/39, Parameter entry 33/35\n",
        "\n  Checksum byte: A C1h at 7FFF (ok); B 9Bh at 7FFF (ok)\n"})
    EXPECT_NE(text.out.find(line), std::string::npos) << line;
}

// Two Avenger builds of other sizes: the sizes come first, registers show
// the fields that differ (DramInit0 0017A9E9 against 0C1FA9E9 differs in bits
// 19, 26 and 27), and every byte past the smaller image counts.
// After a refresh rate is written the rows tell what changed, and neither
// table is called the same, in text or JSON. Rows carry this BIOS's mode
// numbers, both of them where two images number a mode otherwise.
TEST(CliDiff, ChangedModeTablesAreNotTheSame) {
  QUARZEL_NEED_ROMS();
  const test::TempFolder folder;
  const std::string fast = folder.quoted("fast.rom");
  ASSERT_EQ(runCli("edit " + rom(test::k3k12sd) + " -o " + fast + " --refresh 800x600@75").status, 0);
  const auto text = runCli("diff " + rom(test::k3k12sd) + " " + fast);
  EXPECT_EQ(text.status, 1);
  EXPECT_NE(text.out.find("\n  Mode 103h  - 800x600 8 bpp (8x16 Font)\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("\n  same: the other 51 rows\n"), std::string::npos) << text.out;
  EXPECT_EQ(text.out.find("Video parameter table"), std::string::npos) << text.out;
  EXPECT_EQ(text.out.find("Extended mode table"), std::string::npos) << text.out;
  // An item whose verdict is "differs" is among the differences.
  const json report = json::parse(runCli("diff --json " + rom(test::k3k12sd) + " " + fast).out);
  EXPECT_EQ(report["videoParameterTable"]["verdict"], "differs");
  EXPECT_EQ(report["extendedModeTable"]["verdict"], "differs");
  const std::vector<std::string> differences = strings(report["differences"]);
  for (const char* table : {"videoParameterTable", "extendedModeTable"})
    EXPECT_NE(std::ranges::find(differences, table), differences.end()) << table;
  const json same = json::parse(runCli("diff --json " + rom(test::k3k12sd) + " " + rom(test::k3k12sd)).out);
  EXPECT_EQ(same["videoParameterTable"]["verdict"], "same");

  const auto pair = runCli("diff " + rom(test::kAgpSg) + " " + rom(test::k3k12sd));
  EXPECT_NE(pair.out.find("\n  Mode 180h/120h  - 320x200 8 bpp (8x8 Font)\n"), std::string::npos) << pair.out;
  EXPECT_EQ(runCli("mode " + rom(test::k3k12sd) + " 21").out.substr(0, 40), "  Mode 120h  - 320x200 8 bpp (8x8 Font)\n");
}

TEST(CliDiff, ImagesOfOtherSizes) {
  QUARZEL_NEED_ROMS();
  const auto text = runCli("diff " + rom(test::kVelocity100) + " " + rom(test::k3k12sd));
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out.substr(0, text.out.find("\nA: ")),
            "Image size differs: A 32768 bytes, B 65536 bytes\n"
            "ROM length differs: A 32768 bytes (byte 2 = 40h), B 40960 bytes (byte 2 = 50h)");
  EXPECT_NE(text.out.find("    A: K 1, M 1, N 58, test 0: 143.182 MHz\n    B: K 1, M 3, N 114, test 0: 166.091 MHz\n"),
            std::string::npos);

  const json diff = json::parse(runCli("diff --json " + rom(test::kVelocity100) + " " + rom(test::k3k12sd)).out);
  const std::vector<std::string> expected{"imageSize",
                                          "romLength",
                                          "string1",
                                          "date",
                                          "register:MiscInit1",
                                          "register:DramInit0",
                                          "register:DramInit1",
                                          "register:PLLCtrl1",
                                          "pcir",
                                          "vesa:product-name",
                                          "vesa:product-revision",
                                          "checksum",
                                          "rest"};
  EXPECT_EQ(strings(diff["differences"]), expected);
  std::vector<std::string> bits;
  for (const json& field : diff["registers"][3]["fields"]) bits.push_back(field["bits"]);
  EXPECT_EQ(bits, (std::vector<std::string>{"19", "26", "27..29"}));
  EXPECT_EQ(diff["checksum"]["b"]["offset"], 0x9FFF);
  const json& last = diff["rest"].back();
  EXPECT_EQ(last["offset"].get<int>() + last["length"].get<int>(), 65536);
}

// The printed lines go to edit as a shell hands on `$(quarzel-cli diff
// --as-edits ...)`; cmd.exe has no such thing, so there each line is one
// quoted argument.
test::CliRun editWith(const std::string& in, const std::string& out, const std::string& lines,
                      [[maybe_unused]] const test::TempFolder& folder) {
#ifdef _WIN32
  std::string arguments;
  for (std::size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1)
    arguments += " \"" + lines.substr(start, end - start) + "\"";
#else
  test::writeFile(folder.path("edits"), lines);
  const std::string arguments = " $(cat " + folder.quoted("edits") + ")";
#endif
  return runCli("edit " + in + " -o " + out + arguments);
}

// Carries B over to A and returns what diff then finds, beside what
// --as-edits said it could not carry.
struct RoundTrip {
  std::vector<std::string> left, notCarried;
  std::string err;
};
RoundTrip roundTrip(const std::string& a, const std::string& b, const std::string& options = {}) {
  const test::TempFolder folder;
  const auto edits = runCli("diff " + a + " " + b + " --as-edits" + options);
  EXPECT_LE(edits.status, 1) << edits.err;
  const json plan = json::parse(runCli("diff " + a + " " + b + " --as-edits --json" + options).out);
  const auto edit = editWith(a, folder.quoted("c.rom"), edits.out, folder);
  EXPECT_EQ(edit.status, 0) << edit.err << edits.out;
  const auto after = runCli("diff --json " + folder.quoted("c.rom") + " " + b);
  return {strings(json::parse(after.out)["differences"]), notCarried(plan), edits.err};
}

TEST(CliDiffAsEdits, RealPairsLeaveOnlyWhatWasNotCarried) {
  QUARZEL_NEED_ROMS();
  for (const auto& [a, b] : {std::pair{test::kAgpSg, test::kBlasterAgp}, std::pair{test::kVelocity100, test::k3k12sd},
                             std::pair{test::k3k12sd, test::kVelocity100}}) {
    SCOPED_TRACE(std::string(a.file) + " to " + b.file);
    const RoundTrip trip = roundTrip(rom(a), rom(b));
    EXPECT_EQ(trip.left, trip.notCarried);
    EXPECT_FALSE(trip.left.empty());
  }
  // Standard error ends its lines with CR LF on Windows.
  const RoundTrip blaster = roundTrip(rom(test::kAgpSg), rom(test::kBlasterAgp));
  EXPECT_NE(blaster.err.find("quarzel-cli: not carried: String 1: B's text is 102 bytes, A's field holds 98"),
            std::string::npos)
      << blaster.err;
  EXPECT_NE(blaster.err.find("quarzel-cli: not carried: MiscInit0: not found in B, so there is nothing to carry"),
            std::string::npos);
}

// B: Agp_sg with code page 850's fonts and texts holding blanks, quotes,
// wildcards and bytes outside ASCII. With -d the fonts go along as files
// and A becomes B byte for byte; without it they are named as not carried.
TEST(CliDiffAsEdits, FontsAndAwkwardTextsCarryWhole) {
  QUARZEL_NEED_ROMS();
  if (!test::readSharedFile("data/EGA.CPI")) GTEST_SKIP() << test::kSharedDataAbsent << "EGA.CPI";
  const test::TempFolder folder;
  const std::string a = rom(test::kAgpSg), b = folder.quoted("b.rom");
  const auto made = runCli("edit " + a + " -o " + b + " --codepage \"" + test::sharedPath("data/EGA.CPI") +
                           ":850\" --string1 \"Tuned *?\\x22x\\x22 [1]\\r\\n\" --vesa "
                           "\"vendor-name=a\\x01\\xFF\\x5C\\x09 'z'\"");
  ASSERT_EQ(made.status, 0) << made.err;

  const RoundTrip withFonts = roundTrip(a, b, " -d " + folder.quoted("fonts"));
  EXPECT_TRUE(withFonts.left.empty()) << withFonts.left.front();
  EXPECT_TRUE(withFonts.notCarried.empty());
  EXPECT_TRUE(std::filesystem::exists(folder.path("fonts/b-8x16.fnt")));

  const RoundTrip withoutFonts = roundTrip(a, b);
  EXPECT_EQ(withoutFonts.left,
            (std::vector<std::string>{"font:8x8", "font:8x14", "font:8x16", "fixup:8x14", "fixup:8x16", "checksum"}));
  EXPECT_NE(withoutFonts.err.find("Font 8x16: give -d DIR"), std::string::npos) << withoutFonts.err;

  const auto vesa = runCli("diff " + a + " " + b + " --as-edits --only vesa");
  EXPECT_EQ(vesa.out, "--vesa=vendor-name=a\\x01\\xFF\\x5C\\x09\\x20\\x27z\\x27\n");
  EXPECT_EQ(vesa.err, "");
}

// Every byte but 0 in the texts of B, given to edit as \xHH: the printed
// options bring each back through the shell.
TEST(CliDiffAsEdits, EveryByteSurvivesTheShell) {
  const test::TempFolder folder;
  const std::string a = folder.quoted("a.rom"), b = folder.quoted("b.rom");
  ASSERT_EQ(runCli("sample -o " + a).status, 0);
  const auto bytes = [](unsigned first, unsigned last) {
    std::string text;
    for (unsigned byte = first; byte <= last; ++byte) text += formatText("\\x%02X", byte);
    return "\"" + text + "\"";
  };
  // The sample's fields hold 120, 118 and 20 bytes.
  const auto made = runCli("edit " + a + " -o " + b + " --string2 " + bytes(0x01, 0x78) + " --string1 " +
                           bytes(0x79, 0xEE) + " --vesa vendor-info=" + bytes(0xEF, 0xFF));
  ASSERT_EQ(made.status, 0) << made.err;
  const RoundTrip trip = roundTrip(a, b);
  EXPECT_TRUE(trip.left.empty()) << trip.left.front();
  EXPECT_EQ(trip.err, "");
}

}  // namespace
}  // namespace quarzel
