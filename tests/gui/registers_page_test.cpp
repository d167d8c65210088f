// The Registers page: Apply and Restore, the register dialogs driven on
// their real templates, and the comparison with a second BIOS.
#include "gui_fixture.h"

#include "analysis/registers/register_fields.h"
#include "analysis/registers/register_locator.h"
#include "analysis/registers/registers.h"
#include "pages/register_controls.h"
#include "pages/register_dialogs.h"
#include "resources/resource.h"
#include "support/rom_builder.h"

namespace quarzel::test {
namespace {

// Where the sample keeps its register constants.
constexpr std::size_t kPciInit0At = 0x3F80, kMiscInit1At = 0x3F88, kDramInit0At = 0x3F8C;

std::string bytesOf(const Image& image) { return {reinterpret_cast<const char*>(image.bytes.data()), image.size}; }

// The sample with one constant changed.
std::string sampleWith(std::size_t offset, std::uint32_t value) {
  std::string rom = sampleRom();
  for (std::size_t i = 0; i < 4; ++i) rom[offset + i] = static_cast<char>(value >> (8 * i));
  return rom;
}

// The listing position of a byte's hexadecimal digits.
int hexAt(std::size_t offset) {
  const std::size_t column = offset % 16;
  return static_cast<int>(offset / 16 * 74 + 6 + 3 * column + (column >= 8 ? 1 : 0));
}

std::vector<std::string> fieldTexts(HWND dialog, std::size_t registerIndex) {
  std::vector<std::string> texts;
  const std::span<const BitField> rows = registerFieldsFor(registerIndex)->fields;
  for (std::size_t row = 0; row < rows.size(); ++row)
    if (!rows[row].reserved) texts.push_back(GuiTest::text(dialog, app::fieldEditId(row)));
  return texts;
}

// The field edit and the comparison edit of a register's field at `bits`.
int fieldEdit(std::size_t registerIndex, std::string_view bits) {
  return app::fieldEditId(*fieldRowAt(*registerFieldsFor(registerIndex), bits));
}
int compareEdit(std::size_t registerIndex, std::string_view bits) {
  return app::compareEditId(*fieldRowAt(*registerFieldsFor(registerIndex), bits));
}

using Texts = std::vector<std::string>;
using RegistersPage = GuiTest;

TEST_F(RegistersPage, ApplyReadsHexadecimalTextsAndRestoreReadsTheImage) {
  load(sampleRom());
  HWND p = page(RegistersTab);
  type(p, IDC_REG_PCIINIT0_VALUE, "abc");
  EXPECT_TRUE(enabled(p, IDC_APPLY));
  type(p, IDC_REG_MISCINIT1_VALUE, "0x1F");
  type(p, IDC_REG_DRAMINIT0_VALUE, "zz");  // no number: the value stays
  click(p, IDC_APPLY);
  EXPECT_FALSE(enabled(p, IDC_APPLY));
  EXPECT_EQ(s().BiosImage.dword(kPciInit0At), 0xABCu);
  EXPECT_EQ(s().BiosImage.dword(kMiscInit1At), 0x1Fu);
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_VALUE), "00000ABC");
  EXPECT_EQ(text(p, IDC_REG_DRAMINIT0_VALUE), "0C179A69");
  // The changed bytes are red; the rewritten but equal ones are not.
  EXPECT_TRUE(enabled(page(DumpTab), IDC_APPLY));
  EXPECT_EQ(dumpColour(hexAt(kPciInit0At)), RGB(255, 0, 0));
  EXPECT_EQ(dumpColour(hexAt(kPciInit0At + 2)), RGB(255, 0, 0));
  EXPECT_EQ(dumpColour(hexAt(kDramInit0At)), 0u);

  type(p, IDC_REG_SGRAMMODE_VALUE, "1");
  click(p, IDC_RESTORE);
  EXPECT_EQ(text(p, IDC_REG_SGRAMMODE_VALUE), "00000037");
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_VALUE), "00000ABC");
  EXPECT_FALSE(enabled(p, IDC_APPLY));
}

TEST_F(RegistersPage, RegistersNotInTheBiosNeverReachTheImage) {
  // PCIInit0 and the long PLL writes only: no PLLCtrl2, no memory registers.
  const Image rom = RomBuilder(32768)
                        .place(kPciSignature, 0x1000, {{kPciInit0Operand, 0x7000}})
                        .place(kPllLongSignature, 0x1200,
                               {{kPllLongMiscInit1Operand, 0x7020},
                                {kPllLongAgpInit0Operand, 0x7024},
                                {kPllLongPllCtrl1Operand, 0x7028}})
                        .dword(0x7028, 0x4A0D)
                        .build();
  load(bytesOf(rom));
  HWND p = page(RegistersTab);
  EXPECT_FALSE(enabled(p, IDC_REG_DRAMINIT0_DIALOG));
  EXPECT_FALSE(enabled(p, IDC_REG_DRAMINIT0_OFFSET));
  type(p, IDC_REG_PLLCTRL2_VALUE, "1234");
  type(p, IDC_REG_DRAMINIT0_VALUE, "55");
  type(p, IDC_REG_PCIINIT0_VALUE, "1");
  click(p, IDC_APPLY);
  EXPECT_EQ(text(p, IDC_REG_PLLCTRL2_VALUE), "not found");
  EXPECT_EQ(text(p, IDC_REG_DRAMINIT0_VALUE), "not found");
  EXPECT_EQ(text(p, IDC_REG_PLLCTRL2_OFFSET), "not found");
  EXPECT_EQ(s().BiosImage.dword(0x7000), 1u);
  EXPECT_EQ(s().BiosImage.bytes[0x7020], rom.bytes[0x7020]);
}

TEST_F(RegistersPage, ABitFieldDialogRebuildsTheValueAndOnlyOkHandsItBack) {
  load(sampleRom());
  HWND p = page(RegistersTab);
  type(p, IDC_REG_PCIINIT0_VALUE, "FFFFFFFF");
  click(p, IDC_APPLY);
  runDialog(p, IDC_REG_PCIINIT0_DIALOG, [](HWND d) {
    EXPECT_EQ(fieldTexts(d, PCIInit0), (Texts{"31", "1", "1", "1", "1", "31", "1", "1", "63", "1", "3"}));
    EXPECT_EQ(text(d, IDC_REGDLG_HEX), "1FFFFB7C");  // reserved bits 0 before any edit
    click(d, IDOK);
  });
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_VALUE), "1FFFFB7C");
  EXPECT_EQ(s().Layout.registerTable[PCIInit0].value, 0x1FFFFB7Cu);
  EXPECT_EQ(s().BiosImage.dword(kPciInit0At), 0xFFFFFFFFu);  // until the page's Apply
  EXPECT_TRUE(enabled(p, IDC_APPLY));

  type(p, IDC_REG_PCIINIT0_VALUE, "12345678");
  click(p, IDC_APPLY);
  runDialog(p, IDC_REG_PCIINIT0_DIALOG, [](HWND d) {
    EXPECT_EQ(text(d, IDC_REGDLG_HEX), "12345278");
    EXPECT_EQ(text(d, IDC_REGDLG_BITS), "00010010 00110100 01010010 01111000 ");
    type(d, fieldEdit(PCIInit0, "2..6"), "");  // bits 2..6 emptied: 0
    EXPECT_EQ(text(d, IDC_REGDLG_HEX), "12345200");
    click(d, IDCANCEL);
  });
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_VALUE), "12345678");
  EXPECT_EQ(s().Layout.registerTable[PCIInit0].value, 0x12345678u);
  EXPECT_FALSE(enabled(p, IDC_APPLY));

  runDialog(p, IDC_REG_AGPINIT0_DIALOG, [](HWND d) {
    type(d, fieldEdit(AgpInit0, "1..3"), "9");  // bits 1..3 hold 0..7: refused, not cut to 1
    EXPECT_FALSE(enabled(d, IDOK));
    EXPECT_EQ(text(d, IDC_REGDLG_HEX), "out of range");
    EXPECT_EQ(text(d, IDC_REGDLG_BITS), "1..3: 9 does not fit in 3 bits (0..7)");
    type(d, fieldEdit(AgpInit0, "1..3"), "1");
    type(d, fieldEdit(AgpInit0, "0"), "x");  // no number: 0
    EXPECT_TRUE(enabled(d, IDOK));
    EXPECT_EQ(text(d, IDC_REGDLG_HEX), "00000492");
    click(d, IDOK);
  });
  runDialog(p, IDC_REG_DRAMINIT0_DIALOG, [](HWND d) {
    type(d, fieldEdit(DramInit0, "20..21"), "2");  // bits 20..21
    click(d, IDOK);
  });
  EXPECT_EQ(text(p, IDC_REG_AGPINIT0_VALUE), "00000492");
  EXPECT_EQ(s().Layout.registerTable[DramInit0].value, (0x0C179A69u & ~0x00300000u) | 0x00200000u);
  click(p, IDC_RESTORE);  // the dialogs' values were not applied
  EXPECT_EQ(text(p, IDC_REG_AGPINIT0_VALUE), "0000049E");
}

TEST_F(RegistersPage, ThePllDialogShowsTheClocksAndHandsBackItsValue) {
  static const int kK = fieldEdit(PLLCtrl1, bitRangeText(kPllK)), kM = fieldEdit(PLLCtrl1, bitRangeText(kPllM)),
                   kN = fieldEdit(PLLCtrl1, bitRangeText(kPllN)), kTest = fieldEdit(PLLCtrl1, bitRangeText(kPllTest));
  load(sampleRom());
  HWND p = page(RegistersTab);
  type(p, IDC_REG_PLLCTRL1_VALUE, "80004A0D");
  click(p, IDC_APPLY);
  runDialog(p, IDC_REG_PLLCTRL1_DIALOG, [](HWND d) {
    EXPECT_EQ(fieldTexts(d, PLLCtrl1), (Texts{"1", "3", "74", "0"}));
    EXPECT_EQ(text(d, IDC_REGDLG_HEX), "00004A0D");
    EXPECT_EQ(text(d, IDC_REGDLG_FREQUENCY), "108.818 MHz");
    EXPECT_EQ(text(d, IDC_REGDLG_COMPARE_FREQUENCY), "");  // no comparison BIOS
    EXPECT_EQ(text(d, compareEdit(PLLCtrl1, "0..1")), "");
    type(d, kTest, "1");  // the test bit: another value, the same clock
    EXPECT_EQ(text(d, IDC_REGDLG_HEX), "00014A0D");
    EXPECT_EQ(text(d, IDC_REGDLG_FREQUENCY), "108.818 MHz");
    for (const auto& [id, number] : {std::pair{kK, "0"}, {kM, "0"}, {kN, "255"}, {kTest, "0"}}) type(d, id, number);
    EXPECT_EQ(text(d, IDC_REGDLG_FREQUENCY), "1839.89 MHz");
    for (const auto& [id, number] : {std::pair{kK, "1"}, {kM, "3"}, {kN, "74"}}) type(d, id, number);
    click(d, IDOK);
  });
  EXPECT_EQ(text(p, IDC_REG_PLLCTRL1_VALUE), "00004A0D");
  EXPECT_EQ(text(p, IDC_REG_PLL_FREQUENCY), "108.818 MHz");
  runDialog(p, IDC_REG_PLLCTRL1_DIALOG, [](HWND d) {
    type(d, kN, "300");  // N: refused, where a mask would make it 44
    EXPECT_FALSE(enabled(d, IDOK));
    EXPECT_EQ(text(d, IDC_REGDLG_FREQUENCY), "out of range");
    SendMessageA(d, WM_COMMAND, IDOK, 0);  // Enter: OK is not taken either
    ASSERT_TRUE(IsWindow(d));
    type(d, kN, "255");
    EXPECT_TRUE(enabled(d, IDOK));
    EXPECT_EQ(text(d, IDC_REGDLG_FREQUENCY), "367.977 MHz");
    click(d, IDCANCEL);
  });
  EXPECT_EQ(text(p, IDC_REG_PLL_FREQUENCY), "108.818 MHz");
  EXPECT_EQ(s().Layout.registerTable[PLLCtrl1].value, 0x4A0Du);
  runDialog(p, IDC_REG_PLLCTRL1_DIALOG, [](HWND d) {
    type(d, kN, "255");
    click(d, IDOK);
  });
  EXPECT_EQ(text(p, IDC_REG_PLL_FREQUENCY), "367.977 MHz");
  click(p, IDC_RESTORE);  // the clock follows the value shown again
  EXPECT_EQ(text(p, IDC_REG_PLL_FREQUENCY), "108.818 MHz");
}

TEST_F(RegistersPage, ACompareMarksTheRowsAndOutlivesNewImages) {
  load(sampleRom());
  HWND p = page(RegistersTab);
  platform.openAnswers.push_back(app::ChosenFile{fileWith(sampleRom(), "self.rom"), "self.rom"});
  click(p, IDC_REG_COMPARE);
  // The second BIOS's dialog says what it is for, and offers what Load BIOS offers.
  EXPECT_EQ(platform.dialogTitles.back(), "Load BIOS to compare");
  EXPECT_EQ(filterPatterns(platform.fileDialogs.back()), filterPatterns(platform.fileDialogs.front()));
  EXPECT_EQ(text(p, IDC_REG_COMPARE_FILE), "self.rom");
  EXPECT_EQ(text(p, IDC_REG_PLLCTRL1_COMPARE), "00004A0D");
  EXPECT_EQ(text(p, IDC_REG_COMPARE_PLL_FREQUENCY), "108.818 MHz");
  for (const app::RegisterRowControls& row : app::kRegisterRows) EXPECT_EQ(text(p, row.verdict), "equals");

  // A dialog's OK marks its row at once; Apply marks a typed one.
  runDialog(p, IDC_REG_SGRAMMODE_DIALOG, [](HWND d) {
    EXPECT_EQ(text(d, compareEdit(SGRAMmode, "0..2")), "7");  // the comparison's bits 0..2
    type(d, fieldEdit(SGRAMmode, "0..2"), "1");
    click(d, IDOK);
  });
  EXPECT_EQ(text(p, IDC_REG_SGRAMMODE_VERDICT), "differs");
  click(p, IDC_RESTORE);  // the labels follow the values shown again
  EXPECT_EQ(text(p, IDC_REG_SGRAMMODE_VERDICT), "equals");
  type(p, IDC_REG_PCIINIT0_VALUE, "1");
  click(p, IDC_APPLY);
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_VERDICT), "differs");
  EXPECT_EQ(text(p, IDC_REG_MISCINIT0_VERDICT), "equals");
  click(page(DumpTab), IDC_RESTORE);  // the pass reads the loaded values again
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_VERDICT), "equals");

  // Refused files change nothing and say why.
  platform.openAnswers.push_back(app::ChosenFile{fileWith("\x55\xAA" + std::string(65535, '\0'), "big.rom"), "big.rom"});
  click(p, IDC_REG_COMPARE);
  platform.openAnswers.push_back(app::ChosenFile{fileWith("\x55" + std::string(600, '\0'), "bad.rom"), "bad.rom"});
  click(p, IDC_REG_COMPARE);
  EXPECT_EQ(platform.messages, (Texts{"ERROR: BIOS loading error!!!\nbig.rom: is larger than 65536 bytes",
                                      "ERROR: BIOS loading error!!!\nbad.rom: " + std::string(describe(LoadError::NoSignature))}));
  EXPECT_EQ(text(p, IDC_REG_COMPARE_FILE), "self.rom");
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_COMPARE), "0184C840");

  // The MiscInit1 dialog shows each comparison bit in its own row.
  const std::uint32_t misc1 = 1u << 18 | 2u << 20 | 1u << 24 | 1u << 26 | 3u << 30;
  platform.openAnswers.push_back(app::ChosenFile{fileWith(sampleWith(kMiscInit1At, misc1), "m.rom"), "m.rom"});
  click(p, IDC_REG_COMPARE);
  EXPECT_EQ(text(p, IDC_REG_MISCINIT1_VERDICT), "differs");
  runDialog(p, IDC_REG_MISCINIT1_DIALOG, [](HWND d) {
    const std::pair<const char*, const char*> bits[] = {{"18", "1"}, {"19", "0"}, {"20..21", "2"},
                                                        {"22", "0"}, {"24", "1"},     {"25", "0"},
                                                        {"26", "1"}, {"27", "0"},     {"30..31", "3"}};
    for (const auto& [field, number] : bits) EXPECT_EQ(text(d, compareEdit(MiscInit1, field)), number) << field;
    type(d, fieldEdit(MiscInit1, "30..31"), "3");  // bits 30..31
    EXPECT_EQ(text(d, IDC_REGDLG_HEX), "C0008000");
    click(d, IDCANCEL);
  });

  // A second BIOS without the signatures has none of them, not zeros nor
  // the first's values, and nothing to compare.
  platform.openAnswers.push_back(app::ChosenFile{fileWith("\x55\xAA\x01" + std::string(509, '\0'), "bare.rom"), "bare.rom"});
  click(p, IDC_REG_COMPARE);
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_COMPARE), "not found");
  EXPECT_EQ(text(p, IDC_REG_PLLCTRL2_COMPARE), "not found");
  EXPECT_EQ(text(p, IDC_REG_COMPARE_PLL_FREQUENCY), " ");
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_VERDICT), "not found");
  runDialog(p, IDC_REG_PLLCTRL1_DIALOG, [](HWND d) {
    EXPECT_EQ(text(d, compareEdit(PLLCtrl1, "0..1")), "");
    click(d, IDCANCEL);
  });

  // A new main BIOS keeps the column and compares its own values: two
  // registers missing from both are not "equal".
  load("\x55\xAA\x01" + std::string(509, '\0'), "main.rom");
  EXPECT_EQ(text(p, IDC_REG_COMPARE_FILE), "bare.rom");
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_COMPARE), "not found");
  for (const app::RegisterRowControls& row : app::kRegisterRows) EXPECT_EQ(text(p, row.verdict), "not found");
}

TEST_F(RegistersPage, WithoutABiosOnlyTheOffsetButtonsAct) {
  HWND p = page(RegistersTab);
  type(p, IDC_REG_PCIINIT0_VALUE, "1");
  for (const app::RegisterRowControls& row : app::kRegisterRows)
    if (row.dialogButton != 0) click(p, row.dialogButton);
  click(p, IDC_REG_COMPARE);
  click(p, IDC_RESTORE);
  EXPECT_TRUE(platform.modalRuns.empty());
  EXPECT_TRUE(platform.fileDialogs.empty());
  EXPECT_FALSE(enabled(p, IDC_APPLY));
  EXPECT_EQ(text(p, IDC_REG_PCIINIT0_VALUE), "1");  // Restore did not run
  EXPECT_EQ(text(p, IDC_REG_PLL_FREQUENCY), "0");
  EXPECT_EQ(text(p, IDC_REG_COMPARE_FILE), "None");
}

}  // namespace
}  // namespace quarzel::test
