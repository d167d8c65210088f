#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "analysis/registers/register_locator.h"
#include "analysis/registers/registers.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;

// What a register is expected to hold after the pass.
struct Constant {
  Location offset;
  std::uint32_t value = 0;
};
using Expected = std::array<Constant, kRegisterCount>;

void expectRegisters(const BiosLayout& layout, const Expected& expected) {
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    SCOPED_TRACE(kRegisterNames[i]);
    EXPECT_EQ(layout.registerTable[i].location, expected[i].offset);
    EXPECT_EQ(layout.registerTable[i].value, expected[i].value);
  }
}

BiosLayout locate(const Image& image) {
  BiosLayout layout;
  locateRegisters(image, layout);
  return layout;
}

TEST(RegisterLocator, ReadsEveryRegisterThroughItsCode) {
  const Image image =
      RomBuilder(32768)
          .place(kPciSignature, 0x1000, {{kPciInit0Operand, 0x7000}})
          .place(
              kMemorySignature, 0x1100,
              {{kMemoryDramInit0Operand, 0x7010}, {kMemoryMiscInit0Operand, 0x7014}, {kMemorySgramModeOperand, 0x7018}})
          .place(kPllShortSignature, 0x1200,
                 {{kPllShortMiscInit1Operand, 0x7020},
                  {kPllShortAgpInit0Operand, 0x7024},
                  {kPllShortPllCtrl1Operand, 0x7028}})
          .place(kPllCtrl2Write, 0x1200 + kPllCtrl2WritePosition, {{kPllCtrl2Operand, 0x702C}})
          .place(kDramInit1Signature, 0x1300, {{kDramInit1Operand, 0x7030}})
          .dword(0x7000, 0x0180F840)
          .dword(0x7010, 0x0017A16A)
          .dword(0x7014, 0x00000100)
          .dword(0x7018, 0x00000037)
          .dword(0x7020, 0x00008001)
          .dword(0x7024, 0x0000049E)
          .bytes(0x7028, {0x0D, 0x4A, 0x00, 0x00})  // little-endian 00004A0Dh
          .dword(0x702C, 0x00007919)
          .dword(0x7030, 0x00548031)
          .build();
  const BiosLayout layout = locate(image);
  expectRegisters(layout, {{{0x7000, 0x0180F840},
                            {0x7014, 0x00000100},
                            {0x7020, 0x00008001},
                            {0x7010, 0x0017A16A},
                            {0x7030, 0x00548031},
                            {0x7024, 0x0000049E},
                            {0x7028, 0x00004A0D},
                            {0x702C, 0x00007919},
                            {0x7018, 0x00000037}}});
  EXPECT_TRUE(layout.pllCtrl2Located);
  EXPECT_EQ(registerValueText(layout, PLLCtrl1), "00004A0D");
  EXPECT_EQ(registerValueText(layout, PLLCtrl2), "00007919");
  EXPECT_EQ(pllFrequencyText(layout), "108.818 MHz");
}

TEST(RegisterLocator, WithoutSignaturesNothingIsLocated) {
  BiosLayout layout;  // left over from an earlier image
  layout.registerTable[PCIInit0] = {Offset{0x100}, 5};
  layout.registerTable[PLLCtrl2] = {Offset{0x104}, 6};
  layout.pllCtrl2Located = true;
  locateRegisters(RomBuilder(32768, 0xFF).build(), layout);
  expectRegisters(layout, {});
  EXPECT_FALSE(layout.pllCtrl2Located);
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    EXPECT_EQ(registerValueText(layout, i), "not found") << kRegisterNames[i];
  EXPECT_EQ(pllFrequencyText(layout), " ");
}

// One operand of each search, with the search's bound on start positions.
struct SearchCase {
  const char* name;
  const Signature& signature;
  std::size_t margin;
  std::size_t operand;
  RegisterIndex reg;
};
const SearchCase kSearches[] = {
    {"PCI", kPciSignature, kSearchMargin, kPciInit0Operand, PCIInit0},
    {"memory", kMemorySignature, 34, kMemorySgramModeOperand, SGRAMmode},
    {"PLL long", kPllLongSignature, kSearchMargin, kPllLongPllCtrl1Operand, PLLCtrl1},
    {"PLL short", kPllShortSignature, 40, kPllShortPllCtrl1Operand, PLLCtrl1},
    {"DramInit1", kDramInit1Signature, kSearchMargin, kDramInit1Operand, DramInit1},
};

TEST(RegisterLocator, SearchesStartBelowImageSizeLessTheirMargin) {
  constexpr std::size_t kSize = 0x800;
  for (const SearchCase& search : kSearches) {
    SCOPED_TRACE(search.name);
    const std::size_t last = kSize - search.margin - 1;
    // No checksum: it would land inside signatures that cross the image end.
    const Image inside =
        RomBuilder(kSize).place(search.signature, last, {{search.operand, 0x100}}).build(false);
    EXPECT_EQ(scanRegisters(inside).entries[search.reg].location, Offset{0x100});
    const Image beyond =
        RomBuilder(kSize).place(search.signature, last + 1, {{search.operand, 0x100}}).build(false);
    EXPECT_FALSE(scanRegisters(beyond).entries[search.reg].location);
  }
}

TEST(RegisterLocator, TheLowestOfTwoCopiesWins) {
  for (const SearchCase& search : kSearches) {
    SCOPED_TRACE(search.name);
    const Image image = RomBuilder(32768)
                            .place(search.signature, 0x2000, {{search.operand, 0x7100}})
                            .place(search.signature, 0x1000, {{search.operand, 0x7200}})
                            .build();
    EXPECT_EQ(scanRegisters(image).entries[search.reg].location, Offset{0x7200});
  }
}

TEST(RegisterLocator, ImagesOf30BytesOrLessAreNotSearched) {
  Image image = RomBuilder(64).place(kPciSignature, 0, {{kPciInit0Operand, 0x1A}}).build(false);
  image.size = kSearchMargin;
  EXPECT_FALSE(scanRegisters(image).entries[PCIInit0].location);
  image.size = kSearchMargin + 1;
  EXPECT_EQ(scanRegisters(image).entries[PCIInit0].location, Offset{0x1A});
}

TEST(RegisterLocator, MemorySignatureIgnoresTheTopByteOfItsMask) {
  for (const int top : {0x00, 0x5A, 0xFF}) {
    const Image image = RomBuilder(32768)
                            .place(kMemorySignature, 0x1000,
                                   {{kMemoryDramInit0Operand, 0x7000},
                                    {kMemoryMiscInit0Operand, 0x7004},
                                    {kMemorySgramModeOperand, 0x7008}})
                            .byte(0x1000 + 7, static_cast<std::uint8_t>(top))
                            .build();
    const RegisterScan scan = scanRegisters(image);
    EXPECT_EQ(scan.entries[DramInit0].location, Offset{0x7000}) << top;
    EXPECT_EQ(scan.entries[MiscInit0].location, Offset{0x7004}) << top;
    EXPECT_EQ(scan.entries[SGRAMmode].location, Offset{0x7008}) << top;
  }
}

TEST(RegisterLocator, LongPllFormWinsOverAnEarlierShortForm) {
  const Image image = RomBuilder(32768)
                          .place(kPllShortSignature, 0x0800,
                                 {{kPllShortMiscInit1Operand, 0x7100},
                                  {kPllShortAgpInit0Operand, 0x7104},
                                  {kPllShortPllCtrl1Operand, 0x7108}})
                          .place(kPllCtrl2Write, 0x0800 + kPllCtrl2WritePosition, {{kPllCtrl2Operand, 0x710C}})
                          .place(kPllLongSignature, 0x1000,
                                 {{kPllLongMiscInit1Operand, 0x7200},
                                  {kPllLongAgpInit0Operand, 0x7204},
                                  {kPllLongPllCtrl1Operand, 0x7208}})
                          .build();
  const RegisterScan scan = scanRegisters(image);
  EXPECT_EQ(scan.entries[MiscInit1].location, Offset{0x7200});
  EXPECT_EQ(scan.entries[AgpInit0].location, Offset{0x7204});
  EXPECT_EQ(scan.entries[PLLCtrl1].location, Offset{0x7208});
  // The PLLCtrl2 write belongs to the short form, which does not count.
  EXPECT_FALSE(scan.entries[PLLCtrl2].location);
  EXPECT_FALSE(scan.pllCtrl2Located);
}

// The PLLCtrl2 write is compared at position 39 of either form; in the long
// form that byte is the EFh of its own out dx,eax, so a write following the
// long form's PLLCtrl1 is deliberately not recognised.
TEST(RegisterLocator, PllCtrl2IsNeverFoundAfterTheLongForm) {
  ASSERT_TRUE(kPllLongSignature.compared(kPllCtrl2WritePosition));
  ASSERT_EQ(kPllLongSignature.byte(kPllCtrl2WritePosition), 0xEF);
  const Image image = RomBuilder(32768)
                          .place(kPllLongSignature, 0x1000,
                                 {{kPllLongMiscInit1Operand, 0x7200},
                                  {kPllLongAgpInit0Operand, 0x7204},
                                  {kPllLongPllCtrl1Operand, 0x7208}})
                          .place(kPllCtrl2Write, 0x1000 + kPllLongSignature.size(), {{kPllCtrl2Operand, 0x720C}})
                          .build();
  const BiosLayout layout = locate(image);
  EXPECT_EQ(layout.registerTable[PLLCtrl1].location, Offset{0x7208});
  EXPECT_FALSE(layout.registerTable[PLLCtrl2].location);
  EXPECT_FALSE(layout.pllCtrl2Located);
  EXPECT_EQ(registerValueText(layout, PLLCtrl2), "not found");
}

TEST(RegisterLocator, PllCtrl2MustFollowTheShortFormDirectly) {
  // One byte too far: the write is compared at position 39 only.
  const Image image = RomBuilder(32768)
                          .place(kPllShortSignature, 0x1000,
                                 {{kPllShortMiscInit1Operand, 0x7100},
                                  {kPllShortAgpInit0Operand, 0x7104},
                                  {kPllShortPllCtrl1Operand, 0x7108}})
                          .place(kPllCtrl2Write, 0x1000 + kPllCtrl2WritePosition + 1, {{kPllCtrl2Operand, 0x710C}})
                          .dword(0x710C, 0x1234)
                          .build();
  const BiosLayout layout = locate(image);
  EXPECT_EQ(layout.registerTable[PLLCtrl1].location, Offset{0x7108});
  EXPECT_FALSE(layout.registerTable[PLLCtrl2].location);
  EXPECT_EQ(layout.registerTable[PLLCtrl2].value, 0u);
  EXPECT_FALSE(layout.pllCtrl2Located);
  EXPECT_EQ(registerValueText(layout, PLLCtrl2), "not found");
}

// A constant must lie wholly inside the 64 KiB buffer; an address above
// FFFCh leaves just that register not located.
TEST(RegisterLocator, ConstantsPastTheBufferAreNotLocated) {
  const Image memory =
      RomBuilder(65536)
          .place(
              kMemorySignature, 0x1000,
              {{kMemoryDramInit0Operand, 0xFFFD}, {kMemoryMiscInit0Operand, 0xFFFC}, {kMemorySgramModeOperand, 0x2000}})
          .dword(0xFFFC, 0x89ABCDEF)
          .dword(0x2000, 0x37)
          .build(false);  // the checksum byte would be FFFFh
  BiosLayout layout = locate(memory);
  EXPECT_FALSE(layout.registerTable[DramInit0].location);
  EXPECT_EQ(layout.registerTable[DramInit0].value, 0u);
  EXPECT_EQ(registerValueText(layout, DramInit0), "not found");
  EXPECT_EQ(layout.registerTable[MiscInit0].location, Offset{0xFFFC});
  EXPECT_EQ(layout.registerTable[MiscInit0].value, 0x89ABCDEFu);
  EXPECT_EQ(layout.registerTable[SGRAMmode].location, Offset{0x2000});

  const Image pll = RomBuilder(32768)
                        .place(kPllShortSignature, 0x1000,
                               {{kPllShortMiscInit1Operand, 0x7100},
                                {kPllShortAgpInit0Operand, 0x7104},
                                {kPllShortPllCtrl1Operand, 0xFFFE}})
                        .place(kPllCtrl2Write, 0x1000 + kPllCtrl2WritePosition, {{kPllCtrl2Operand, 0xFFFF}})
                        .build();
  layout = locate(pll);
  EXPECT_EQ(layout.registerTable[MiscInit1].location, Offset{0x7100});
  EXPECT_EQ(layout.registerTable[AgpInit0].location, Offset{0x7104});
  EXPECT_FALSE(layout.registerTable[PLLCtrl1].location);
  EXPECT_FALSE(layout.registerTable[PLLCtrl2].location);
  EXPECT_FALSE(layout.pllCtrl2Located);
  EXPECT_EQ(pllFrequencyText(layout), " ");
}

// The code of a cut-down file may load a constant from past its end, where
// the card holds other bytes than the file's zero fill.
TEST(RegisterLocator, AConstantNotWhollyInsideTheImageIsNotLocated) {
  const auto pciInit0 = [](Offset at) {
    return locate(RomBuilder(0x8000).place(kPciSignature, 0x1000, {{kPciInit0Operand, at}}).build());
  };
  EXPECT_EQ(pciInit0(0x7FFC).registerTable[PCIInit0].location, Offset{0x7FFC});
  EXPECT_FALSE(pciInit0(0x7FFD).registerTable[PCIInit0].location);
  EXPECT_EQ(registerValueText(pciInit0(0x9000), PCIInit0), "not found");
}

TEST(RegisterLocator, SignatureWhoseOperandPassesTheBufferIsNoMatch) {
  // The long form's compared bytes end at the last byte of the buffer; its
  // PLLCtrl1 address would be the byte after it.
  Image image;
  kPllLongSignature.stamp(image, kImageCapacity - (kPllLongSignature.size() - 1));
  const RegisterScan scan = scanRegisters(image);
  EXPECT_FALSE(scan.entries[MiscInit1].location);
  EXPECT_FALSE(scan.entries[PLLCtrl1].location);
}

TEST(PllFrequency, ShowsMegahertzOfKMAndN) {
  const struct {
    std::uint32_t value;
    const char* text;
  } cases[] = {
      {0x00004A0D, "108.818 MHz"},    // K = 1, M = 3, N = 74
      {0x00000000, "14.3182 MHz"},    // 14.31818 * 2 / 2
      {0x0000FFFF, "7.07649 MHz"},    // K = 3, M = 63, N = 255
      {0x0000FF00, "1839.89 MHz"},    // the highest: N = 255, M = 0, K = 0
      {0x000000FF, "0.0550699 MHz"},  // the lowest: N = 0, M = 63, K = 3
      {0xFFFF4A0D, "108.818 MHz"},    // bits 16..31, the test bit included, do not count
  };
  for (const auto& c : cases)
    EXPECT_EQ(frequencyText(pllFrequency(c.value)), c.text) << std::hex << c.value;
}

// The five real BIOS images, read by hand: where each signature sits, and
// the constants its operands address.
struct RealRegisters {
  test::RealRom rom;
  Expected registers;
  bool pllCtrl2Located;
  const char* frequency;
};

const RealRegisters kRealRegisters[] = {
    // PCI code at 34C7h, memory code at 3D97h, short PLL form at 3DDCh with
    // the PLLCtrl2 write at 3E03h, DramInit1 code at 3D81h.
    {test::kAgpSg,
     {{{0x7CF9, 0x0180F840},
       {0x7CFD, 0x00000000},
       {0x7D01, 0x00000001},
       {0x7D05, 0x0017A16A},
       {0x7D09, 0x00548031},
       {0x7D0D, 0x0000049E},
       {0x7D11, 0x00002805},
       {0x7D15, 0x00007919},
       {0x7D19, 0x00000037}}},
     true,
     "100.227 MHz"},
    // PCI code at 3483h, short PLL form at 3D8Fh with the PLLCtrl2 write at
    // 3DB6h, DramInit1 code at 3D14h. The memory code at 3D2Ah goes on with
    // B9 01 00 (mov cx,1) where the SGRAMmode write would be: no match.
    {test::kBlasterAgp,
     {{{0x7DBC, 0x0180F840},
       {},
       {0x7DC4, 0x00000001},
       {},
       {0x7DCC, 0x00548031},
       {0x7DD0, 0x0000049E},
       {0x7DD4, 0x00002805},
       {0x7DD8, 0x00002805},
       {}}},
     true,
     "100.227 MHz"},
    // PCI code at 3500h, memory code at 3E42h, short PLL form at 3E87h
    // followed by 8D 54 0C (lea dx,[si+0Ch]), not the PLLCtrl2 write;
    // DramInit1 code at 3E20h.
    {test::kVelocity100,
     {{{0x7E21, 0x0584FB04},
       {0x7E25, 0x00000000},
       {0x7E29, 0x00000001},
       {0x7E2D, 0x0017A9E9},
       {0x7E31, 0x0053C031},
       {0x7E35, 0x0000049E},
       {0x7E39, 0x00003A05},
       {},
       {0x7E41, 0x00000037}}},
     false,
     "143.182 MHz"},
    // PCI code at 3512h, memory code at 3F37h, short PLL form at 3F66h
    // without the PLLCtrl2 write, DramInit1 code at 3F15h.
    {test::k3k12sd,
     {{{0x8311, 0x0584FB04},
       {0x8315, 0x00000000},
       {0x8319, 0x00008001},
       {0x831D, 0x0C1FA9E9},
       {0x8321, 0x4056C601},
       {0x8325, 0x0000049E},
       {0x8329, 0x0000720D},
       {},
       {0x8331, 0x00000037}}},
     false,
     "166.091 MHz"},
    // PCI code at 352Eh, memory code at 3EF5h, short PLL form at 3F24h
    // without the PLLCtrl2 write, DramInit1 code at 3ED3h.
    {test::kV3_3500Compaq,
     {{{0x82CF, 0x0584FB04},
       {0x82D3, 0x00000000},
       {0x82D7, 0x00008001},
       {0x82DB, 0x0C17A9E9},
       {0x82DF, 0x00530031},
       {0x82E3, 0x0000049E},
       {0x82E7, 0x00004B05},
       {},
       {0x82EF, 0x00000037}}},
     false,
     "183.75 MHz"},
};

void PrintTo(const RealRegisters& registers, std::ostream* out) { *out << registers.rom; }

class RealRomRegisters : public testing::TestWithParam<RealRegisters> {};

TEST_P(RealRomRegisters, MatchTheBytesReadByHand) {
  const RealRegisters& rom = GetParam();
  QUARZEL_REAL_ROM(image, rom.rom);
  const BiosLayout layout = locate(image);
  expectRegisters(layout, rom.registers);
  EXPECT_EQ(layout.pllCtrl2Located, rom.pllCtrl2Located);
  EXPECT_EQ(pllFrequencyText(layout), rom.frequency);
}

INSTANTIATE_TEST_SUITE_P(RealRoms, RealRomRegisters, testing::ValuesIn(kRealRegisters), test::RealRomName{});

}  // namespace
}  // namespace quarzel
