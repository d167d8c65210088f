// What the analysis pass shows on the pages it fills besides the strings.
#include "gui_fixture.h"

#include "app/main_window.h"
#include "resources/resource.h"

namespace quarzel::test {
namespace {


using PassFill = GuiTest;

TEST_F(PassFill, LoadFillsEveryPageAndResetsTheFontsPage) {
  app::showPage(RegistersTab);
  load(sampleRom());
  EXPECT_TRUE(IsWindowVisible(page(RegistersTab)));  // the current page stays
  EXPECT_EQ(text(page(RegistersTab), IDC_REG_PLLCTRL1_VALUE), "00004A0D");
  EXPECT_EQ(text(page(RegistersTab), IDC_REG_PLL_FREQUENCY), "108.818 MHz");
  EXPECT_EQ(text(page(PcirTab), IDC_PCIR_VENDOR_ID), "121A");
  EXPECT_EQ(text(page(VesaTab), IDC_VESA_VENDOR_INFO), "quarzel sample board");
  EXPECT_EQ(SendDlgItemMessageA(page(ModesTab), IDC_MODES_LIST, LB_GETCOUNT, 0, 0), 55);
  EXPECT_EQ(IsDlgButtonChecked(page(FontsTab), IDC_FONTS_8X8), BST_CHECKED);
  EXPECT_EQ(text(page(FontsTab), IDC_FONTS_LOAD), "Load Font 8x8");
  EXPECT_EQ(text(page(FontsTab), IDC_FONTS_SAVE), "Save Font 8x8");
  EXPECT_EQ(text(page(FontsTab), IDC_FONTS_FIXUP_OFFSET), "0");
  for (const app::Tab index : {RegistersTab, VesaTab}) EXPECT_FALSE(enabled(page(index), IDC_APPLY)) << index;
}

TEST_F(PassFill, AnImageWithoutItemsShowsNoneOfThePreviousImage) {
  load(sampleRom());
  load("\x55\xAA\x01" + std::string(509, '\0'), "bare.rom");
  EXPECT_EQ(text(page(RegistersTab), IDC_REG_PLLCTRL1_VALUE), "not found");
  EXPECT_EQ(text(page(RegistersTab), IDC_REG_PLLCTRL1_OFFSET), "not found");
  EXPECT_EQ(text(page(RegistersTab), IDC_REG_PLLCTRL2_VALUE), "not found");
  EXPECT_EQ(text(page(RegistersTab), IDC_REG_PLL_FREQUENCY), " ");
  EXPECT_EQ(text(page(PcirTab), IDC_PCIR_OFFSET), "0");
  EXPECT_EQ(text(page(PcirTab), IDC_PCIR_VENDOR_ID), "");
  EXPECT_EQ(text(page(VesaTab), IDC_VESA_VENDOR_INFO), " ");
  EXPECT_EQ(text(page(FontsTab), IDC_FONTS_OFFSET), "0");
  EXPECT_EQ(text(page(ModesTab), IDC_MODES_COLUMNS), "");
}

}  // namespace
}  // namespace quarzel::test
