#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include <nlohmann/json.hpp>

#include "support/run_cli.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using nlohmann::json;
using test::runCli;
using test::TempFolder;

void expectRefused(const test::CliRun& run, const std::string& file, const std::string& reason) {
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find(file), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
}

TEST(CliErrors, EveryUnusableFileGivesOneLineAndStatusOne) {
  const TempFolder folder;
  test::writeFile(folder.path("big.rom"), "\x55\xAA" + std::string(65535, '\0'));
  test::writeFile(folder.path("one.rom"), "\x55");
  test::writeFile(folder.path("empty.rom"), "");
  test::writeFile(folder.path("nosig.rom"), std::string("\x55\x00", 2) + std::string(510, '\0'));
  for (const char* command : {"info ", "info --json ", "dump "}) {
    SCOPED_TRACE(command);
    expectRefused(runCli(command + folder.quoted("missing.rom")), "missing.rom", "no such file");
    expectRefused(runCli(command + ("\"" + folder.root() + "\"")), folder.root(), "is a directory");
    expectRefused(runCli(command + folder.quoted("big.rom")), "big.rom", "larger than 65536 bytes");
    expectRefused(runCli(command + folder.quoted("one.rom")), "one.rom", "shorter than two bytes");
    expectRefused(runCli(command + folder.quoted("empty.rom")), "empty.rom", "shorter than two bytes");
    expectRefused(runCli(command + folder.quoted("nosig.rom")), "nosig.rom", "55h AAh");
  }
}

// A path from the root written with "/" is a file, not a Windows-style
// option: the usual path under Wine and in MSYS shells.
TEST(CliFiles, APathFromTheRootWithSlashesIsAFile) {
  // On the working folder's drive, where a path from the root leads.
  const auto file = std::filesystem::current_path() / ("quarzel-slash-" + std::to_string(std::random_device{}()) + ".rom");
  ASSERT_EQ(runCli("sample -o \"" + file.string() + "\"").status, 0);
  const std::string fromRoot = "/" + file.relative_path().generic_string();
  const auto run = runCli("info \"" + fromRoot + "\"");
  std::filesystem::remove(file);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("checksum ok"), std::string::npos) << run.out;
}

TEST(CliErrors, WrongUseShowsTheUsage) {
  const auto run = runCli("frobnicate");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("usage:"), std::string::npos);
  EXPECT_EQ(runCli("info").status, 2);
  EXPECT_EQ(runCli("sample").status, 2);
}

TEST(CliSample, EveryItemIsFoundInTheSample) {
  const TempFolder folder;
  ASSERT_EQ(runCli("sample -o " + folder.quoted("sample.rom")).status, 0);
  const auto run = runCli("info --json " + folder.quoted("sample.rom"));
  ASSERT_EQ(run.status, 0) << run.err;
  const json info = json::parse(run.out);
  EXPECT_EQ(info["imageSize"], 32768);
  EXPECT_EQ(info["romLength"], 32768);
  EXPECT_EQ(info["checksumOk"], true);
  EXPECT_FALSE(info["string1"]["bootCode"].is_null());
  EXPECT_FALSE(info["string1"]["lengthWord"].is_null());
  EXPECT_FALSE(info["string2"]["lengthWord"].is_null());
  EXPECT_FALSE(info["date"].is_null());
  EXPECT_EQ(info["logoLines"][3], "3dfx Interactive, Inc.");
  ASSERT_EQ(info["registers"].size(), 9u);
  for (const auto& entry : info["registers"]) EXPECT_FALSE(entry["offset"].is_null()) << entry;
  EXPECT_EQ(info["pllFrequency"], "108.818 MHz");
  for (const char* key : {"font8x8", "font8x14", "font8x16", "fixup8x14", "fixup8x16"})
    EXPECT_FALSE(info["fonts"][key].is_null()) << key;
  EXPECT_GT(info["fonts"]["fixup8x14Size"], 1);
  EXPECT_GT(info["fonts"]["fixup8x16Size"], 1);
  EXPECT_FALSE(info["videoParameterTable"].is_null());
  EXPECT_FALSE(info["extendedModeTable"].is_null());
  EXPECT_EQ(info["pcir"]["vendorName"], "3Dfx Interactive, Inc.");
  for (const char* key : {"vendorInfo", "vendorName", "productName", "productRevision"})
    EXPECT_FALSE(info["vesa"][key].is_null()) << key;
}

TEST(CliSample, OverwritesOnlyWhenWrittenWhole) {
  const TempFolder folder;
  // A folder where the output should go is refused and left alone.
  const auto run = runCli("sample -o \"" + folder.root() + "\"");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("is a directory"), std::string::npos);

  test::writeFile(folder.path("old.rom"), "old contents");
  ASSERT_EQ(runCli("sample -o " + folder.quoted("old.rom")).status, 0);
  EXPECT_EQ(test::readFile(folder.path("old.rom")).size(), 32768u);
}

TEST(CliDump, WritesTheListingByteForByte) {
  const TempFolder folder;
  test::writeFile(folder.path("tiny.rom"), std::string("\x55\xAA\x01\x7F\x20\x0D\x0A", 7));
  const auto run = runCli("dump " + folder.quoted("tiny.rom"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "0000: 55 AA 01 7F 20 0D 0A 00  00 00 00 00 00 00 00 00  U... ...........\r\n");
}

TEST(CliMode, ShowsOneRowOfTheVideoModesPage) {
  const TempFolder folder;
  ASSERT_EQ(runCli("sample -o " + folder.quoted("sample.rom")).status, 0);
  const auto run = runCli("mode " + folder.quoted("sample.rom") + " 6");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "  Mode 03h   - 80x25 Color Text (8x8 Font)");
  EXPECT_NE(run.out.find("Column: 80 D  Rows-1: 24 D  Char height: 8 D  Regen length: 1000 H"), std::string::npos)
      << run.out;
  for (const char* row : {"55", "-1", "x", "123"})
    EXPECT_EQ(runCli("mode " + folder.quoted("sample.rom") + " " + row).status, 2) << row;
  EXPECT_EQ(runCli("mode " + folder.quoted("sample.rom") + " --list").status, 2);
  const auto list = runCli("mode --list");
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 55);
}

// A real image end to end, against values read off its bytes.
TEST(CliInfo, RealImageReport) {
  const std::string path = test::realRomPath(test::kAgpSg);
  if (!test::readRealRom(test::kAgpSg)) GTEST_SKIP() << test::kRealImageAbsent << test::kAgpSg;
  const auto run = runCli("info --json \"" + path + "\"");
  ASSERT_EQ(run.status, 0) << run.err;
  const json info = json::parse(run.out);
  EXPECT_EQ(info["imageSize"], 32768);
  EXPECT_EQ(info["checksumOk"], true);
  EXPECT_EQ(info["string1"]["offset"], 0x7708);
  EXPECT_EQ(info["string1"]["bootCode"], 0x154);
  EXPECT_EQ(info["string1"]["text"],
            "VGA BIOS - Version 1.00.10-SG\r\nCopyright (C) 1990-1998 Elpin Systems, Inc.\r\nAll rights reserved.\r\n");
  EXPECT_EQ(info["string2"].contains("bootCode"), false);
  EXPECT_EQ(info["date"]["text"], "02/09/99");
  EXPECT_EQ(info["pcir"]["offset"], 0x7D20);
  EXPECT_EQ(info["pcir"]["deviceName"], "Banshee-based card");
  EXPECT_EQ(info["pcir"]["imageSizeText"], "32k");

  const auto text = runCli("info \"" + path + "\"");
  ASSERT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("Agp_sg.rom: 32768 bytes"), std::string::npos);
  EXPECT_NE(text.out.find("    | VGA BIOS - Version 1.00.10-SG\n"), std::string::npos) << text.out;
}

}  // namespace
}  // namespace quarzel
