// The Boot-up Strings page: typing, Apply, Restore and the offset buttons.
#include "gui_fixture.h"

#include "pages/listing_control.h"
#include "resources/resource.h"
#include "support/shared_files.h"

namespace quarzel::test {
namespace {

constexpr std::size_t kString1 = 0x5100;

using StringsPage = GuiTest;

TEST_F(StringsPage, TypingCountsAndEnablesApplyOnlyAfterALoad) {
  type(page(StringsTab), IDC_STRING1_TEXT, "abc");
  EXPECT_FALSE(enabled(page(StringsTab), IDC_APPLY));
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_LENGTH), "0");
  load(sampleRom());
  type(page(StringsTab), IDC_STRING1_TEXT, "Hello");
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_LENGTH), "5");
  EXPECT_TRUE(enabled(page(StringsTab), IDC_APPLY));
}

TEST_F(StringsPage, ApplyWritesTheStringItsCountAndTheDateThenMarksTheDump) {
  load(sampleRom());
  const BiosLayout& layout = s().Layout;
  const std::size_t max = layout.bootString1.maxLength;
  const std::size_t count = *layout.bootString1.lengthWord;
  type(page(StringsTab), IDC_STRING1_TEXT, "Hello");
  type(page(StringsTab), IDC_DATE, "1/2/03");
  click(page(StringsTab), IDC_APPLY);
  EXPECT_FALSE(enabled(page(StringsTab), IDC_APPLY));
  const Image& image = s().BiosImage;
  EXPECT_EQ(image.text(kString1), "Hello");
  for (std::size_t i = 5; i < max; ++i) EXPECT_EQ(image.bytes[kString1 + i], 0) << i;
  EXPECT_EQ(image.word(count), 5);
  EXPECT_EQ(image.text(*layout.biosDate.address, 8), std::string("1/2/03\0\0", 8));
  // Exactly the changed bytes are red; Dump Apply is enabled.
  EXPECT_TRUE(enabled(page(DumpTab), IDC_APPLY));
  const int line = static_cast<int>(kString1 / 16) * 74;
  EXPECT_EQ(dumpColour(line + 6), RGB(255, 0, 0));  // 'H' replaced 'q'
  EXPECT_EQ(dumpColour(line + 56), RGB(255, 0, 0));
  const std::size_t unchanged = kString1 + max + 1;  // past the string's zero byte
  EXPECT_EQ(dumpColour(static_cast<int>(unchanged / 16) * 74 + 56 + static_cast<int>(unchanged % 16)), 0u);
}

TEST_F(StringsPage, RestoreReadsTheImageAgain) {
  load(sampleRom());
  const std::string original = text(page(StringsTab), IDC_STRING1_TEXT);
  type(page(StringsTab), IDC_STRING1_TEXT, "not applied");
  click(page(StringsTab), IDC_RESTORE);
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_TEXT), original);
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_LENGTH), std::to_string(original.size()));
  EXPECT_FALSE(enabled(page(StringsTab), IDC_APPLY));
}

TEST_F(StringsPage, OffsetButtonMarksTheStringBlue) {
  load(sampleRom());
  click(page(StringsTab), IDC_STRING1_OFFSET);
  const int line = static_cast<int>(kString1 / 16) * 74;
  EXPECT_EQ(dumpColour(line + 6), RGB(0, 0, 255));
  EXPECT_EQ(dumpColour(line - 74 + 6), 0u);
  // The string's line is the topmost visible line of the listing.
  EXPECT_EQ(app::listingTopLine(), kString1 / 16);
}

TEST_F(StringsPage, AnImageWithoutStringsClearsThePage) {
  load(sampleRom());
  load("\x55\xAA\x01" + std::string(509, '\0'), "bare.rom");
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_TEXT), "");
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_OFFSET), "0");
  EXPECT_EQ(text(page(StringsTab), IDC_DATE), "");
  EXPECT_EQ(text(page(StringsTab), IDC_DATE_OFFSET), "0");
  EXPECT_EQ(text(page(LogoTab), IDC_LOGO_LINE1), "");
}

// The Compaq build keeps both strings but prints neither: the page shows them
// where they lie, with a note; other images have none.
TEST_F(StringsPage, StringsTheBiosDoesNotPrintCarryANote) {
  const auto compaq = readSharedFile(std::string("roms/") + test::kV3_3500Compaq.file);
  if (!compaq) GTEST_SKIP() << "shared/roms absent";
  load(std::string(compaq->begin(), compaq->end()), test::kV3_3500Compaq.file);
  HWND strings = page(StringsTab);
  EXPECT_EQ(text(strings, IDC_STRING1_OFFSET), "7C90");
  EXPECT_EQ(text(strings, IDC_STRING2_OFFSET), "7D87");
  EXPECT_NE(text(strings, IDC_STRINGS_NOTE).find("String 2: this BIOS keeps it but does not print it"), std::string::npos);
  load(sampleRom());
  EXPECT_EQ(text(strings, IDC_STRINGS_NOTE), "");
}

}  // namespace
}  // namespace quarzel::test
