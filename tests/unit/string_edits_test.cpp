#include "analysis/strings/string_edits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_pass.h"
#include "analysis/strings/bios_date.h"
#include "analysis/strings/boot_string.h"
#include "analysis/strings/boot_string1.h"
#include "analysis/strings/boot_string2.h"
#include "analysis/strings/sign_on_code.h"
#include "analysis/pci_vesa/vesa_edits.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using Ranges = std::vector<ByteRange>;

// An image filled with EEh, so cleared bytes and stray writes both show.
const Image kFilled = [] {
  Image image;
  image.bytes.fill(0xEE);
  return image;
}();

// `after` must be `before` with exactly `bytes` set at `at`; the first other
// difference is reported by its offset rather than by 64 KiB of bytes.
void expectOnlyChanged(const Image& after, Image before, std::size_t at, const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i)
    before.bytes[at + i] = static_cast<std::uint8_t>(bytes[i]);
  std::optional<std::size_t> difference;
  for (std::size_t i = 0; i < kImageCapacity && !difference; ++i)
    if (after.bytes[i] != before.bytes[i]) difference = i;
  EXPECT_EQ(difference, std::nullopt);
}

TEST(ApplyBootString, MainString1ClearsItsFieldAndSetsTheCount) {
  const Image original = test::RomBuilder(32768, 0xEE)
                             .place(kString1Main, 0x200, {{kString1CountOperand, 30}, {kString1Operand, 0x3000}})
                             .text(0x3000, "Old sign-on text")
                             .build();
  BiosLayout layout;
  locateBootString1(original, layout);
  Image image = original;
  const EditResult result = applyBootString(image, layout.bootString1, "3dfx!");
  EXPECT_EQ(result.written, (Ranges{{0x3000, 30}, {0x20B, 2}}));
  Image expected = original;
  expected.bytes[0x20B] = 5;
  expected.bytes[0x20C] = 0;
  expectOnlyChanged(image, expected, 0x3000, "3dfx!" + std::string(25, '\0'));

  // The next pass takes the new count as the limit: a shorter text lowers it.
  locateBootString1(image, layout);
  EXPECT_EQ(layout.bootString1.maxLength, 5u);
}

TEST(ApplyBootString, MainString2ClearsAll120Bytes) {
  const Image original = test::RomBuilder(32768, 0xEE)
                             .place(kString2Main, 0x400, {{kString2Operand, 0x5002}})
                             .word(0x5000, 5)
                             .text(0x5002, "3dfx!")
                             .build();
  BiosLayout layout;
  locateBootString2(original, layout);
  Image image = original;
  // CR LF are two bytes of the text and of the count.
  EXPECT_EQ(applyBootString(image, layout.bootString2, "Voodoo3\r\n").written,
            (Ranges{{0x5002, 120}, {0x5000, 2}}));
  expectOnlyChanged(image, original, 0x5000,
                    std::string("\x09\0Voodoo3\r\n", 11) + std::string(111, '\0'));
}

TEST(ApplyBootString, CutToTheFieldAndToTheBuffer) {
  struct Case {
    BootString string;
    std::string text, field;
    Ranges written;
    int count;  // -1: no count word
  };
  const Case cases[] = {
      // A full field: the zero byte lands just past it, over what stood there.
      {{0x3000, 0x100, 4, 0},
       "ABCDEFGH",
       std::string("ABCD\0", 5),
       {{0x3000, 4}, {0x3004, 1}, {0x100, 2}},
       4},
      {{0x3000, 0x100, 4, 0}, "", std::string(4, '\0'), {{0x3000, 4}, {0x100, 2}}, 0},
      // Found by a fallback: no count word.
      {{0x3000, std::nullopt, 4, 0}, "xy", std::string("xy\0\0", 4), {{0x3000, 4}}, -1},
      // 16 of the 30 bytes fit the buffer; the text is cut there, its zero dropped.
      {{0xFFF0, 0x100, 30, 0},
       "0123456789ABCDEFXYZ",
       "0123456789ABCDEF",
       {{0xFFF0, 16}, {0x100, 2}},
       16},
      {{0xFFF0, 0x100, 30, 0},
       "abc",
       std::string("abc") + std::string(13, '\0'),
       {{0xFFF0, 16}, {0x100, 2}},
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Image image = kFilled;
    const EditResult result = applyBootString(image, c.string, c.text);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.written, c.written);
    Image expected = kFilled;
    if (c.count >= 0) {
      expected.bytes[0x100] = static_cast<std::uint8_t>(c.count);
      expected.bytes[0x101] = 0;
    }
    expectOnlyChanged(image, expected, *c.string.address, c.field);
  }
}

TEST(ApplyBiosDate, EightBytesZeroPaddedAndTheDateTextFollows) {
  const Image original = test::RomBuilder(32768, 0xEE).text(0x30, "12/31/99", false).build();
  for (const auto& [typed, stored] :
       {std::pair<std::string, std::string>{"1/2/03", {"1/2/03\0\0", 8}},
        {"12/31/1999", "12/31/19"}}) {
    SCOPED_TRACE(typed);
    BiosLayout layout;
    locateBiosDate(original, layout);
    Image image = original;
    EXPECT_EQ(applyBiosDate(image, layout.biosDate, typed).written, (Ranges{{0x30, 8}}));
    expectOnlyChanged(image, original, 0x30, stored);
    const auto& text = layout.biosDate.text;
    EXPECT_EQ(std::string(text.data(), text.size()), stored + std::string(text.size() - kBiosDateLength, '\0'));
  }
}

TEST(ApplyVesaString, BlanksBehindTheTextUpToTheOldTerminator) {
  struct Case {
    VesaString string;
    std::string text, bytes;
    Ranges written;
  };
  const Case cases[] = {
      {{0x7000, 6}, "XY", std::string("XY\0   ", 6), {{0x7000, 6}}},
      {{0x7000, 6}, "123456789", std::string("123456\0", 7), {{0x7000, 6}, {0x7006, 1}}},
      // An empty string found stays empty: only its zero byte is written.
      {{0x7000, 0}, "XY", std::string("\0", 1), {{0x7000, 1}}},
      // A string running to the end of the buffer has no room for its zero.
      {{0xFFFA, 6}, "abcdefgh", "abcdef", {{0xFFFA, 6}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Image image = kFilled;
    EXPECT_EQ(applyVesaString(image, c.string, c.text).written, c.written);
    expectOnlyChanged(image, kFilled, *c.string.address, c.bytes);
  }
}

TEST(StringEdits, NothingIsWrittenPastTheLoadedImage) {
  // A 4 KiB image: the EEh bytes from 1000h on stand for bytes never saved.
  Image original = kFilled;
  original.size = 0x1000;
  Image image = original;
  // A VESA string ending at the image's last byte keeps no zero byte.
  EXPECT_EQ(applyVesaString(image, {0x0FFA, 6}, "abcdefgh").written, (Ranges{{0x0FFA, 6}}));
  expectOnlyChanged(image, original, 0x0FFA, "abcdef");

  image = original;
  const EditResult result = applyBootString(image, {0x0FF0, 0x100, 30, 0}, "0123456789ABCDEFXYZ");
  EXPECT_EQ(result.written, (Ranges{{0x0FF0, 16}, {0x100, 2}}));
  Image expected = original;
  expected.bytes[0x100] = 16;  // the count names only the bytes saved
  expected.bytes[0x101] = 0;
  expectOnlyChanged(image, expected, 0x0FF0, "0123456789ABCDEF");

  // A count word at or past the end is dropped as the text is (found by
  // fuzzing: string 2 placed past the end, its count word before it); an
  // item that starts past the end, or a date that runs past it, is refused.
  image = original;
  EXPECT_EQ(applyBootString(image, {0x2000, 0x1FFE, 30, 0}, "abc").error, EditError::PastImageEnd);
  EXPECT_EQ(applyVesaString(image, {0x1000, 6}, "abc").error, EditError::PastImageEnd);
  BiosDate date{0x0FF9, {}, kBiosDateLength};
  EXPECT_EQ(applyBiosDate(image, date, "01/02/03").error, EditError::PastImageEnd);
  EXPECT_EQ(applyBootString(image, {0x0FF0, 0x0FFF, 8, 0}, "abc").written, (Ranges{{0x0FF0, 8}}));
  expectOnlyChanged(image, original, 0x0FF0, std::string("abc\0\0\0\0\0", 8));
}

TEST(StringEdits, UnlocatedItemsChangeNothing) {
  Image image = kFilled;
  BiosDate date;
  date.text = {'1', '2', '/', '3', '1', '/', '9', '9'};
  const BiosDate before = date;
  EXPECT_EQ(applyBootString(image, {std::nullopt, Offset{0x100}, 30, 0}, "x").error,
            EditError::NotLocated);
  EXPECT_EQ(applyBiosDate(image, date, "01/02/03").error, EditError::NotLocated);
  EXPECT_EQ(applyVesaString(image, {}, "XY").error, EditError::NotLocated);
  EXPECT_EQ(date.text, before.text);
  expectOnlyChanged(image, kFilled, 0, "");
}

// A text typed to the full length of its item: every byte written lies in
// the item's room (its field, or the text that stood there with its zero
// byte). String 2's 120 bytes end right before the extended records' size
// byte, which must survive.
TEST(StringEdits, AFullTextStaysInsideItsRoomOnRealImages) {
  for (const test::RealRom& file : test::kRealRoms) {
    const auto rom = test::readRealRom(file);
    if (!rom) GTEST_SKIP() << test::kRealImageAbsent << file;
    BiosLayout layout;
    AnalysisPass(*rom, layout);
    const auto fill = [&](Offset address, std::uint32_t maxLength, auto edit) {
      Image image = *rom;
      const std::size_t room = std::max<std::size_t>(maxLength, rom->textLength(address) + 1);
      const EditResult result = edit(image, std::string(maxLength, 'x'));
      ASSERT_TRUE(result.ok()) << file;
      for (std::size_t i = 0; i < kImageCapacity; ++i) {
        const bool inRoom = i >= address && i < address + room;
        const bool countWord = std::ranges::any_of(result.written, [&](const ByteRange& r) {
          return r.length == 2 && i >= r.offset && i < r.offset + 2;
        });
        if (!inRoom && !countWord) {
          ASSERT_EQ(image.bytes[i], rom->bytes[i]) << file << " at " << i;
        }
      }
    };
    for (const BootString* string : {&layout.bootString1, &layout.bootString2})
      if (string->address)
        fill(*string->address, string->maxLength,
             [&](Image& image, const std::string& text) { return applyBootString(image, *string, text); });
    // A text that fills its field has no zero byte after it, yet reads back
    // as written: the byte that follows string 2's is not the string's.
    for (const auto field : {&BiosLayout::bootString1, &BiosLayout::bootString2}) {
      const BootString& string = layout.*field;
      if (!string.address) continue;
      Image image = *rom;
      const std::string text(string.maxLength, 'x');
      ASSERT_TRUE(applyBootString(image, string, text).ok()) << file;
      BiosLayout again;
      AnalysisPass(image, again);
      EXPECT_EQ((again.*field).length, static_cast<std::int32_t>(text.size())) << file;
      EXPECT_EQ(fieldText(image, again.*field), text) << file;
    }
    for (const VesaString& vesa : layout.vesa)
      if (vesa.address)
        fill(*vesa.address, vesa.maxLength,
             [&](Image& image, const std::string& text) { return applyVesaString(image, vesa, text); });
    if (layout.bootString2.address && layout.modeInfoTable) {
      EXPECT_EQ(*layout.bootString2.address + 120u, *layout.modeInfoTable - 1u) << file;
    }
  }
}

}  // namespace
}  // namespace quarzel
