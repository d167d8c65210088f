#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "analysis/fonts/font_edits.h"
#include "formats/code_page_file.h"
#include "support/cpi_file.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::RomBuilder;

using test::cpiFile;
using test::putCpiWord;

CodePageFile parsed(const std::vector<std::uint8_t>& bytes) {
  CodePageParse parse = parseCodePageFile(bytes);
  EXPECT_FALSE(parse.error);
  return parse.file.value_or(CodePageFile{});
}

// The preview byte of glyph row `row` of character `code` in the band
// whose top is `top`, the bitmap being stored bottom-up.
std::uint8_t previewByte(const std::vector<std::uint8_t>& preview, std::size_t top, std::size_t height,
                         std::size_t code, std::size_t row) {
  const std::size_t t = top + height * (code / 32) + row;
  return preview[(511 - t) * 32 + code % 32];
}

bool allZero(const std::vector<std::uint8_t>& preview, std::size_t firstRow, std::size_t lastRow) {
  for (std::size_t t = firstRow; t <= lastRow; ++t) {
    const auto row = preview.begin() + static_cast<std::ptrdiff_t>((511 - t) * 32);
    if (std::any_of(row, row + 32, [](std::uint8_t b) { return b != 0; })) return false;
  }
  return true;
}

TEST(CodePageFile, RefusesWhatIsNotAWholeScreenFontFile) {
  const auto good = cpiFile({{437, {{16, 8, 1}, {0, 8, 2}, {8, 8, 3}}}, {850, {{8, 8, 4}}}});
  const CodePageFile file = parsed(good);
  ASSERT_EQ(file.entries.size(), 2u);
  EXPECT_EQ(file.entries[0].fonts.size(), 3u);  // a height-0 font is only its header
  EXPECT_EQ(file.entries[0].fonts[2].glyphs, 25u + 34 + 6 + 4096 + 6 + 6);

  auto wrongId = good;
  wrongId[0] = 0xFE;
  EXPECT_EQ(parseCodePageFile(wrongId).error, EditError::NotCodePageFile);
  EXPECT_EQ(parseCodePageFile(std::span(good).first(24)).error, EditError::NotCodePageFile);
  // Cuts inside glyphs, font headers and entry headers, first and last.
  const std::size_t lastEntry = good.size() - 34 - 6 - 2048;
  for (const std::size_t cut : {good.size() - 1, lastEntry + 35, lastEntry + 33, lastEntry - 1,
                                std::size_t{25 + 34 + 3}, std::size_t{25 + 40 + 100},
                                std::size_t{25 + 34 + 6 + 4096 + 6 + 5}, std::size_t{25}}) {
    SCOPED_TRACE(cut);
    const CodePageParse parse = parseCodePageFile(std::span(good).first(cut));
    EXPECT_EQ(parse.error, EditError::CodePageTruncated);
    EXPECT_FALSE(parse.file);
  }
  // The last entry's data said to reach past the end, its fonts whole.
  auto longData = good;
  putCpiWord(longData, lastEntry + test::kCpiEntryDataSize, 6 + 2048 + 1);
  EXPECT_EQ(parseCodePageFile(longData).error, EditError::CodePageTruncated);
  // Fonts past the data their entry declares, so over the next entry: no
  // data at all, a cut in the second font's header and in the last glyph.
  for (const std::size_t dataSize : {0u, 4102u + 3, 4102u + 6 + 6 + 2047}) {
    SCOPED_TRACE(dataSize);
    auto overrun = good;
    putCpiWord(overrun, test::kCpiHeaderBytes + test::kCpiEntryDataSize, dataSize);
    EXPECT_EQ(parseCodePageFile(overrun).error, EditError::CodePageFontsOverrun);
  }
}

TEST(CodePageFile, ListsItemsAsTextAndReadsTheirNumbers) {
  EXPECT_EQ(codePageList(parsed(cpiFile({{437, {}}, {1252, {}}, {437, {}}}))),
            (std::vector<std::string>{"1252", "437", "437"}));
  EXPECT_EQ(codePageList(parsed(cpiFile({{65535, {}}, {125, {}}, {2, {}}, {12, {}}, {0, {}}, {1252, {}}, {13, {}}}))),
            (std::vector<std::string>{"0", "12", "125", "1252", "13", "2", "65535"}));
  // Each item has the usable sizes of all entries of its code page; code
  // page 0, which is never drawn or copied, has none.
  const CodePageFile sized = parsed(cpiFile(
      {{850, {{8, 8, 1}}}, {437, {{16, 8, 1}, {14, 9, 1}}}, {850, {{14, 8, 1}, {6, 8, 1}}}, {0, {{8, 8, 1}}}}));
  EXPECT_EQ(codePageListing(sized), (std::vector<CodePageItem>{{"0", {false, false, false}},
                                                               {"437", {false, false, true}},
                                                               {"850", {true, true, false}},
                                                               {"850", {true, true, false}}}));
  EXPECT_EQ(codePageFontSizes(sized, 850), (FontSizeSet{true, true, false}));
  EXPECT_EQ(codePageFontSizes(sized, 1252), (FontSizeSet{false, false, false}));
  EXPECT_EQ(codePageOfItem("850"), 850);
  EXPECT_EQ(codePageOfItem("12ab"), 12);
  EXPECT_EQ(codePageOfItem("x1"), 0);
  EXPECT_EQ(codePageOfItem(""), 0);
  EXPECT_EQ(codePageOfItem("99999"), 65535);
}

TEST(CodePagePreview, DrawsUsableFontsIntoTheirBands) {
  // 8x16, a 6-row font, a 16-row font 9 pixels wide, and 8x8.
  const CodePageFile file = parsed(cpiFile({{866, {{16, 8, 0x10}, {6, 8, 0x60}, {16, 9, 0x90}, {8, 8, 0x80}}}}));
  const auto preview = codePagePreview(file, 866);
  ASSERT_EQ(preview.size(), kPreviewBytes);
  for (const std::size_t code : {0u, 31u, 32u, 255u}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(previewByte(preview, 0, 16, code, 0), static_cast<std::uint8_t>(0x10 + code * 16));
    EXPECT_EQ(previewByte(preview, 0, 16, code, 15), static_cast<std::uint8_t>(0x10 + code * 16 + 15));
    EXPECT_EQ(previewByte(preview, 271, 8, code, 7), static_cast<std::uint8_t>(0x80 + code * 8 + 7));
  }
  EXPECT_TRUE(allZero(preview, 128, 270));  // band 2 and the gaps
  EXPECT_TRUE(allZero(preview, 335, 511));
  EXPECT_EQ(codePagePreview(file, 437), std::vector<std::uint8_t>(kPreviewBytes, 0));
  EXPECT_EQ(codePagePreview(parsed(cpiFile({{0, {{8, 8, 1}}}})), 0), std::vector<std::uint8_t>(kPreviewBytes, 0));
}

TEST(CopyCodePageFonts, CopiesTickedLocatedFontsInFileOrder) {
  // Two entries for one code page, as for two devices: both count, in order.
  const CodePageFile file = parsed(cpiFile({{866, {{16, 8, 0x10}, {6, 8, 0x60}, {8, 8, 0x80}}},
                                            {437, {{8, 8, 0x40}}},
                                            {866, {{14, 8, 0x20}, {8, 8, 0xA0}}}}));
  const auto preview = codePagePreview(file, 866);
  EXPECT_EQ(previewByte(preview, 0, 16, 1, 0), 0x20);
  EXPECT_EQ(previewByte(preview, 141, 14, 1, 0), 0x2E);
  EXPECT_EQ(previewByte(preview, 271, 8, 1, 0), 0xA8);

  BiosLayout layout;
  layout.fonts[Font8x8] = 0x1000;
  layout.fonts[Font8x14] = 0x1800;
  layout.fonts[Font8x16] = 0x3000;
  const Image original = RomBuilder(0x8000, 0x33).build(false);
  Image image = original;
  EditResult result = copyCodePageFonts(image, layout, file, 866, {true, false, false});
  EXPECT_EQ(result.written, (std::vector<ByteRange>{{0x1000, 2048}, {0x1000, 2048}}));
  EXPECT_EQ(image.bytes[0x1000], 0xA0);
  EXPECT_EQ(image.bytes[0x17FF], static_cast<std::uint8_t>(0xA0 + 2047));
  EXPECT_EQ(image.bytes[0x1800], 0x33);
  EXPECT_EQ(image.bytes[0x3000], 0x33);

  // A ticked size whose font is not in the BIOS is passed over.
  layout.fonts[Font8x16] = std::nullopt;
  image = original;
  result = copyCodePageFonts(image, layout, file, 866, {true, true, true});
  EXPECT_EQ(result.written, (std::vector<ByteRange>{{0x1000, 2048}, {0x1800, 3584}, {0x1000, 2048}}));
  EXPECT_EQ(image.bytes[0x1800 + 3583], static_cast<std::uint8_t>(0x20 + 3583));

  const auto nothing = std::vector<std::pair<std::uint16_t, FontSizeSet>>{
      {866, {false, false, false}}, {1252, {true, true, true}}};
  for (const auto& [codePage, ticked] : nothing) {
    SCOPED_TRACE(codePage);
    image = original;
    result = copyCodePageFonts(image, layout, file, codePage, ticked);
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.written.empty());
    EXPECT_EQ(image.bytes, original.bytes);
  }
  // Code page 0 is never previewed, so Apply copies nothing for it either.
  image = original;
  EXPECT_TRUE(copyCodePageFonts(image, layout, parsed(cpiFile({{0, {{8, 8, 1}}}})), 0, {true, true, true})
                  .written.empty());
  EXPECT_EQ(image.bytes, original.bytes);
}

TEST(CodePageImportRefusal, NamesTheFirstSizeThatCannotBeImported) {
  const CodePageFile file = parsed(cpiFile({{866, {{16, 8, 0x10}, {8, 8, 0x80}}}, {437, {{14, 8, 0x20}}}}));
  BiosLayout layout;
  layout.fonts[Font8x8] = 0x1000;
  layout.fonts[Font8x16] = 0x7800;  // its table runs past the end of the image
  Image image = RomBuilder(0x8000, 0x33).build(false);
  EXPECT_EQ(locatedFontSizes(image, layout), (FontSizeSet{true, false, false}));

  using R = CodePageRefusal;
  const std::tuple<std::uint16_t, FontSizeSet, std::optional<R>> cases[] = {
      {1252, {true, false, false}, R{R::NoCodePage, Font8x8}},
      {866, {true, true, false}, R{R::NoFontInFile, Font8x14}},
      {866, {true, false, true}, R{R::FontNotLocated, Font8x16}},
      {437, {false, true, false}, R{R::FontNotLocated, Font8x14}},
      {866, {true, false, false}, std::nullopt},
  };
  for (const auto& [codePage, asked, refusal] : cases) {
    SCOPED_TRACE(codePage);
    EXPECT_EQ(codePageImportRefusal(image, layout, file, codePage, asked), refusal);
  }
  // Apply passes over the font whose table the image cuts.
  EXPECT_EQ(copyCodePageFonts(image, layout, file, 866, {true, true, true}).written,
            (std::vector<ByteRange>{{0x1000, 2048}}));
}

std::optional<CodePageFile> realFile(const std::string& name) {
  const auto bytes = test::readSharedFile("data/" + name);
  if (!bytes) return std::nullopt;
  return parsed(*bytes);
}

TEST(RealCodePageFiles, ListPreviewAndCopy) {
  const auto ega = realFile("EGA.CPI"), ega2 = realFile("EGA2.CPI");
  if (!ega || !ega2) GTEST_SKIP() << test::kSharedDataAbsent << "EGA.CPI, EGA2.CPI";
  EXPECT_EQ(codePageList(*ega2), (std::vector<std::string>{"1116", "1117", "1118", "1119", "775", "859"}));
  ASSERT_EQ(ega->entries.size(), 6u);
  for (const CodePageEntry& entry : ega->entries) {
    ASSERT_EQ(entry.fonts.size(), 3u);
    EXPECT_EQ(usableFontSize(entry.fonts[0]), Font8x16);
    EXPECT_EQ(usableFontSize(entry.fonts[1]), Font8x14);
    EXPECT_EQ(usableFontSize(entry.fonts[2]), Font8x8);
  }

  const auto preview = codePagePreview(*ega, 437);
  const auto glyphs = fontGlyphs(*ega, ega->entries[0].fonts[0]);
  EXPECT_NE(std::count(glyphs.begin() + 'A' * 16, glyphs.begin() + 'A' * 16 + 16, 0), 16);
  for (std::size_t row = 0; row < 16; ++row) {
    EXPECT_EQ(previewByte(preview, 0, 16, 'A', row), glyphs['A' * 16 + row]) << "row " << row;
  }

  // The file ends in a copyright text after the fonts; cuts inside the fonts.
  const auto bytes = *test::readSharedFile("data/EGA.CPI");
  const CodePageFont& last = ega->entries.back().fonts.back();
  const std::size_t fontsEnd = last.glyphs + 256u * last.height;
  EXPECT_TRUE(parseCodePageFile(std::span(bytes).first(fontsEnd)).file);
  for (const std::size_t cut : {fontsEnd - 1, bytes.size() / 2, std::size_t{100}}) {
    EXPECT_EQ(parseCodePageFile(std::span(bytes).first(cut)).error, EditError::CodePageTruncated) << cut;
  }

  BiosLayout layout;
  layout.fonts[Font8x8] = 0x2000;
  layout.fonts[Font8x14] = 0x2800;
  layout.fonts[Font8x16] = 0x3600;
  const Image original = RomBuilder(0x8000, 0xFF).build();
  Image image = original;
  const EditResult result = copyCodePageFonts(image, layout, *ega, 850, {false, false, true});
  EXPECT_EQ(result.written, (std::vector<ByteRange>{{0x3600, 4096}}));
  const auto font850 = fontGlyphs(*ega, ega->entries[1].fonts[0]);
  ASSERT_EQ(ega->entries[1].codePage, 850);
  EXPECT_TRUE(std::equal(font850.begin(), font850.end(), image.bytes.begin() + 0x3600));
  EXPECT_TRUE(std::equal(image.bytes.begin(), image.bytes.begin() + 0x3600, original.bytes.begin()));
  EXPECT_TRUE(std::equal(image.bytes.begin() + 0x4600, image.bytes.end(), original.bytes.begin() + 0x4600));
}

}  // namespace
}  // namespace quarzel
