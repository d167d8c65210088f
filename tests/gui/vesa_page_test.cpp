// The VESA Strings page: typing, Apply and Restore.
#include "gui_fixture.h"

#include "pages/vesa_controls.h"
#include "resources/resource.h"

namespace quarzel::test {
namespace {

// Where the sample keeps its vendor info and its product name ("Voodoo3").
constexpr std::size_t kVendorInfo = 0x5000, kProductName = 0x5060;

std::string bytesAt(std::size_t at, std::size_t length) {
  return {reinterpret_cast<const char*>(GuiTest::s().BiosImage.bytes.data() + at), length};
}

using VesaPage = GuiTest;

TEST_F(VesaPage, OnlyTypingAfterALoadEnablesApply) {
  HWND p = page(VesaTab);
  const Image before = s().BiosImage;
  type(p, IDC_VESA_PRODUCT_NAME, "XY");
  click(p, IDC_APPLY);
  click(p, IDC_RESTORE);
  EXPECT_FALSE(enabled(p, IDC_APPLY));
  EXPECT_EQ(text(p, IDC_VESA_PRODUCT_NAME), "XY");  // Restore did not run
  EXPECT_TRUE(s().BiosImage.bytes == before.bytes);

  load(sampleRom());
  for (const app::VesaControls& ids : app::kVesaControls) {
    type(p, ids.text, "a");
    EXPECT_TRUE(enabled(p, IDC_APPLY)) << ids.text;
    click(p, IDC_RESTORE);
    EXPECT_FALSE(enabled(p, IDC_APPLY)) << ids.text;
  }
}

TEST_F(VesaPage, ApplyBlanksTheOldTextAndRestoreShowsWhatWasApplied) {
  load(sampleRom());
  HWND p = page(VesaTab);
  type(p, IDC_VESA_PRODUCT_NAME, "XY");
  click(p, IDC_APPLY);
  EXPECT_FALSE(enabled(p, IDC_APPLY));
  EXPECT_TRUE(enabled(page(DumpTab), IDC_APPLY));
  EXPECT_EQ(bytesAt(kProductName, 8), std::string("XY\0    \0", 8));

  type(p, IDC_VESA_PRODUCT_NAME, "not applied");
  click(p, IDC_RESTORE);
  EXPECT_EQ(text(p, IDC_VESA_PRODUCT_NAME), "XY");
  // The length found at the load still bounds the edit.
  EXPECT_EQ(text(p, IDC_VESA_PRODUCT_NAME_MAX), "7");
  type(p, IDC_VESA_PRODUCT_NAME, "Banshee3D");
  EXPECT_EQ(text(p, IDC_VESA_PRODUCT_NAME), "Banshee");
}

TEST_F(VesaPage, AnEmptyStringKeepsItsZeroAndStringsNotFoundAreLeftAlone) {
  HWND p = page(VesaTab);
  std::string rom = sampleRom();
  rom[kVendorInfo] = '\0';
  load(rom);
  type(p, IDC_VESA_VENDOR_INFO, "any length of text at all");
  EXPECT_EQ(text(p, IDC_VESA_VENDOR_INFO), "any length of text at all");
  click(p, IDC_APPLY);
  EXPECT_EQ(bytesAt(kVendorInfo, 2), std::string("\0u", 2));
  click(p, IDC_RESTORE);
  EXPECT_EQ(text(p, IDC_VESA_VENDOR_INFO), "");

  // The first pattern's first "mov si" broken: no string is located.
  rom = sampleRom();
  rom[0x0400] = '\x90';
  load(rom);
  type(p, IDC_VESA_PRODUCT_NAME, "XY");
  click(p, IDC_APPLY);
  EXPECT_TRUE(s().BiosImage.bytes == s().BiosBackup.bytes);
  EXPECT_FALSE(enabled(page(DumpTab), IDC_APPLY));
  click(p, IDC_RESTORE);
  EXPECT_EQ(text(p, IDC_VESA_PRODUCT_NAME), "XY");
}

}  // namespace
}  // namespace quarzel::test
