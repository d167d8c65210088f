#include <gtest/gtest.h>

#include <string>

#include "analysis/pci_vesa/vesa_locator.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

struct Expected {
  Offset address;
  std::string text;
};

void expectString(const Image& image, const BiosLayout& layout, VesaIndex index,
                  const Expected& want) {
  SCOPED_TRACE(testing::Message() << "string " << index);
  const VesaString& found = layout.vesa[index];
  ASSERT_EQ(found.address, want.address);
  EXPECT_EQ(found.maxLength, want.text.size());
  EXPECT_EQ(image.text(want.address), want.text);
}

void expectNotLocated(const BiosLayout& layout, VesaIndex index) {
  EXPECT_FALSE(layout.vesa[index].address) << "string " << index;
  EXPECT_EQ(layout.vesa[index].maxLength, 0u) << "string " << index;
}

BiosLayout locate(const Image& image) {
  BiosLayout layout;
  locateVesaStrings(image, layout);
  return layout;
}

// Each string names the pattern whose operand points at it.
test::RomBuilder withStrings() {
  test::RomBuilder rom(8192);
  rom.text(0xC00, "info 1").text(0xC10, "vendor 1").text(0xC20, "product 1").text(0xC30, "rev 1");
  rom.text(0xD00, "info 2");
  rom.text(0xE00, "vendor 3").text(0xE10, "product 3").text(0xE20, "rev 3");
  return rom;
}

test::RomBuilder& pattern1(test::RomBuilder& rom, std::size_t at) {
  return rom.place(kVesaPattern1, at,
                   {{kVesa1VendorInfoOperand, 0xC00},
                    {kVesa1VendorNameOperand, 0xC10},
                    {kVesa1ProductNameOperand, 0xC20},
                    {kVesa1ProductRevisionOperand, 0xC30}});
}
test::RomBuilder& pattern2(test::RomBuilder& rom, std::size_t at) {
  return rom.place(kVesaPattern2, at, {{kVesa2VendorInfoOperand, 0xD00}});
}
test::RomBuilder& pattern3(test::RomBuilder& rom, std::size_t at) {
  return rom.place(
      kVesaPattern3, at,
      {{kVesa3VendorNameOperand, 0xE00}, {kVesa3ProductNameOperand, 0xE10}, {kVesa3ProductRevisionOperand, 0xE20}});
}

TEST(VesaLocator, FirstPatternGivesAllFourEvenAfterTheOthers) {
  test::RomBuilder rom = withStrings();
  pattern1(pattern3(pattern2(rom, 0x100), 0x200), 0x300);
  const Image image = rom.build();
  const BiosLayout layout = locate(image);
  expectString(image, layout, VendorInfo, {0xC00, "info 1"});
  expectString(image, layout, VendorName, {0xC10, "vendor 1"});
  expectString(image, layout, ProductName, {0xC20, "product 1"});
  expectString(image, layout, ProductRevision, {0xC30, "rev 1"});
}

TEST(VesaLocator, SecondPatternGivesTheInfoAndTheThirdTheRest) {
  test::RomBuilder rom = withStrings();
  pattern3(pattern2(rom, 0x300), 0x100);
  const Image image = rom.build();
  const BiosLayout layout = locate(image);
  expectString(image, layout, VendorInfo, {0xD00, "info 2"});
  expectString(image, layout, VendorName, {0xE00, "vendor 3"});
  expectString(image, layout, ProductName, {0xE10, "product 3"});
  expectString(image, layout, ProductRevision, {0xE20, "rev 3"});
}

TEST(VesaLocator, ThirdPatternAloneLeavesTheInfoUnlocated) {
  test::RomBuilder rom = withStrings();
  const Image image = pattern3(rom, 0x100).build();
  BiosLayout layout;
  layout.vesa[VendorInfo] = {0x0C00, 6};  // from an earlier image
  locateVesaStrings(image, layout);
  expectNotLocated(layout, VendorInfo);
  expectString(image, layout, VendorName, {0xE00, "vendor 3"});
  expectString(image, layout, ProductRevision, {0xE20, "rev 3"});
}

TEST(VesaLocator, AnEmptyStringIsLocatedWithLengthZero) {
  const Image image = test::RomBuilder(8192).place(kVesaPattern3, 0x100, {{kVesa3VendorNameOperand, 0xF00}}).build();
  expectString(image, locate(image), VendorName, {0xF00, ""});
}

TEST(VesaLocator, IgnoresAMatchInTheLastSeventyBytes) {
  for (const std::size_t at : {8192u - 70u, 8192u - 71u}) {
    test::RomBuilder rom = withStrings();
    const BiosLayout layout = locate(pattern1(rom, at).build());
    EXPECT_EQ(layout.vesa[VendorInfo].address.has_value(), at < 8192 - 70) << at;
  }
}

TEST(VesaLocator, AnAddressPastTheImageIsNotLocated) {
  // 4 KiB image: 1000h is the first byte that was not loaded from the ROM.
  const Image image = test::RomBuilder(4096)
                          .place(kVesaPattern3, 0x100,
                                 {{kVesa3VendorNameOperand, 0x1000},
                                  {kVesa3ProductNameOperand, 0x0FFF},
                                  {kVesa3ProductRevisionOperand, 0xFFFF}})
                          .byte(0xFFF, 'X')
                          .build(false);  // keep 'X' where the checksum byte goes
  const BiosLayout layout = locate(image);
  expectNotLocated(layout, VendorName);
  expectNotLocated(layout, ProductRevision);
  // The last byte of the image, ended by the zero fill past it.
  expectString(image, layout, ProductName, {0x0FFF, "X"});
}

TEST(VesaLocator, AStringWithoutZeroEndsAtTheEndOfTheBuffer) {
  // No checksum: its byte at FFFFh could be the zero this test leaves out.
  const Image image =
      test::RomBuilder(65536, 'A').place(kVesaPattern3, 0x100, {{kVesa3VendorNameOperand, 0xFFF0}}).build(false);
  expectString(image, locate(image), VendorName, {0xFFF0, std::string(16, 'A')});
}

// Read from the images with python3: each holds pattern 1 once (at the
// offset below, "BE lo hi E8 ..."), and neither pattern 2 nor 3. Each
// string is followed by its zero byte.
struct RealVesa {
  test::RealRom rom;
  std::size_t pattern1;
  Expected info, vendor, product, revision;
  friend void PrintTo(const RealVesa& vesa, std::ostream* os) { *os << vesa.rom; }
};

class RealRomVesa : public testing::TestWithParam<RealVesa> {};

TEST_P(RealRomVesa, FindsTheFourStrings) {
  const RealVesa& want = GetParam();
  QUARZEL_REAL_ROM(image, want.rom);
  EXPECT_EQ(findFirst(image, kVesaPattern1, searchEnd(image, 70)), want.pattern1);
  const BiosLayout layout = locate(image);
  expectString(image, layout, VendorInfo, want.info);
  expectString(image, layout, VendorName, want.vendor);
  expectString(image, layout, ProductName, want.product);
  expectString(image, layout, ProductRevision, want.revision);
}

INSTANTIATE_TEST_SUITE_P(RealRoms, RealRomVesa,
                         testing::Values(RealVesa{test::kAgpSg,
                                                  0x2AA5,
                                                  {0x7DBE, "3Dfx Interactive, Inc."},
                                                  {0x7D90, "Elpin Systems, Inc."},
                                                  {0x7DA4, "3Dfx Banshee"},
                                                  {0x7DB1, "Version 1.00"}},
                                         RealVesa{test::kBlasterAgp,
                                                  0x2A73,
                                                  {0x7E80, "3Dfx Interactive, Inc."},
                                                  {0x7E52, "Elpin Systems, Inc."},
                                                  {0x7E66, "3Dfx Banshee"},
                                                  {0x7E73, "Version 1.00"}},
                                         RealVesa{test::kVelocity100,
                                                  0x2AEF,
                                                  {0x7EF8, "3dfx Interactive, Inc."},
                                                  {0x7EC6, "3dfx Interactive, Inc."},
                                                  {0x7EDD, "Velocity 100 "},
                                                  {0x7EEB, "210-0380-00X"}},
                                         RealVesa{test::k3k12sd,
                                                  0x2AEF,
                                                  {0x83E8, "3dfx Interactive, Inc."},
                                                  {0x83B6, "3dfx Interactive, Inc."},
                                                  {0x83CD, "Voodoo3 3000 "},
                                                  {0x83DB, "210-0364-00X"}},
                                         RealVesa{test::kV3_3500Compaq,
                                                  0x2B1D,
                                                  {0x83A6, "3dfx Interactive, Inc."},
                                                  {0x8374, "3dfx Interactive, Inc."},
                                                  {0x838B, "Voodoo3 3500 "},
                                                  {0x8399, "210-0369-00X"}}),
                         test::RealRomName{});

}  // namespace
}  // namespace quarzel
