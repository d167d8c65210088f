// quarzel-cli preview: its options, and what it says beside the picture.
#include <gtest/gtest.h>

#include "support/run_cli.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::runCli;
using test::TempFolder;

TEST(Preview, WritesThePictureAndSaysWhatItCannotShow) {
  const TempFolder folder;
  ASSERT_EQ(runCli("sample -o " + folder.quoted("s.rom")).status, 0);
  const auto run = runCli("preview " + folder.quoted("s.rom") + " -o " + folder.quoted("s.png") + " --memory 32");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(test::readFile(folder.path("s.png")).substr(1, 3), "PNG");
  EXPECT_EQ(runCli("preview " + folder.quoted("s.rom") + " -o " + folder.quoted("x.png") + " --memory 12").status, 2);
  EXPECT_EQ(runCli("preview " + folder.quoted("s.rom")).status, 2);
  EXPECT_EQ(runCli("preview " + folder.quoted("missing.rom") + " -o " + folder.quoted("x.png")).status, 1);

  // No sign-on code at all: the blank picture, status 4.
  test::writeFile(folder.path("bare.rom"), "\x55\xAA\x01" + std::string(509, '\0'));
  const auto bare = runCli("preview " + folder.quoted("bare.rom") + " -o " + folder.quoted("b.png"));
  EXPECT_EQ(bare.status, 4);
  EXPECT_NE(bare.err.find("no sign-on code quarzel knows"), std::string::npos) << bare.err;
  EXPECT_EQ(test::readFile(folder.path("b.png")).substr(1, 3), "PNG");

  if (!test::readRealRom(test::kV3_3500Compaq)) GTEST_SKIP() << test::kRealImageAbsent << test::kV3_3500Compaq;
  const auto silent =
      runCli("preview \"" + test::realRomPath(test::kV3_3500Compaq) + "\" -o " + folder.quoted("c.png"));
  EXPECT_EQ(silent.status, 0);
  EXPECT_NE(silent.err.find("prints no sign-on"), std::string::npos) << silent.err;
  const auto fixed = runCli("preview \"" + test::realRomPath(test::k3k12sd) + "\" -o " + folder.quoted("k.png") +
                            " --memory 8");
  EXPECT_NE(fixed.err.find("reports 16384K whatever the card holds"), std::string::npos) << fixed.err;

  // Agp_sg.rom with its name printer (3542h) overwritten with NOPs: string 1
  // drawn, the call named, status 3.
  std::string nops = test::readFile(test::realRomPath(test::kAgpSg));
  nops.replace(0x3542, 24, 24, '\x90');
  test::writeFile(folder.path("nops.rom"), nops);
  const auto partial = runCli("preview " + folder.quoted("nops.rom") + " -o " + folder.quoted("n.png"));
  EXPECT_EQ(partial.status, 3);
  EXPECT_NE(partial.err.find("nops.rom: the sign-on code calls 3542, code quarzel does not know"), std::string::npos)
      << partial.err;
  EXPECT_EQ(test::readFile(folder.path("n.png")).substr(1, 3), "PNG");
}

}  // namespace
}  // namespace quarzel
