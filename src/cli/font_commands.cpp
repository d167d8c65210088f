// font export, codepages and sheet: the fonts of a BIOS and of code-page
// files as files.
#include "analysis/analysis_pass.h"
#include "analysis/font_edits.h"
#include "cli/cli_support.h"
#include "cli/code_page_input.h"
#include "cli/commands.h"
#include "formats/bmp_picture.h"
#include "formats/code_page_file.h"
#include "formats/file_io.h"
#include "formats/glyph_sheet.h"

namespace quarzel::cli {

namespace {

// FILE SIZE -o OUT, the shape of font export and sheet.
struct FontOutput {
  Image image;
  BiosLayout layout;
  FontSize size;
  std::string out;
};

std::optional<FontOutput> readFontArgs(const Args& args, const char* command, int& status) {
  status = 2;
  if (args.size() != 4 || args[2] != "-o") {
    usageError(std::string(command) + " takes FILE SIZE -o OUT");
    return std::nullopt;
  }
  const auto size = parseFontSize(args[1]);
  if (!size) {
    usageError("the font size is 8x8, 8x14 or 8x16");
    return std::nullopt;
  }
  status = 1;
  const auto image = readImageOrReport(args[0]);
  if (!image) return std::nullopt;
  FontOutput result{*image, {}, *size, args[3]};
  AnalysisPass(result.image, result.layout);
  if (!result.layout.fonts[*size]) {
    fail(args[0] + ": the " + fontSizeName(*size) + " font is not found in this BIOS");
    return std::nullopt;
  }
  return result;
}

}  // namespace

int fontCommand(const Args& args) {
  if (args.empty() || args[0] != "export") return usageError("font takes export FILE SIZE -o OUT.fnt");
  int status = 0;
  const auto font = readFontArgs(Args(args.begin() + 1, args.end()), "font export", status);
  if (!font) return status;
  const auto bytes = fontFileBytes(font->image, font->layout, font->size);
  if (!bytes) return fail(args[1] + ": the " + fontSizeName(font->size) + " font does not lie inside the image");
  return writeOrReport(font->out, bytes->data(), bytes->size());
}

int sheetCommand(const Args& args) {
  int status = 0;
  const auto font = readFontArgs(args, "sheet", status);
  if (!font) return status;
  const GlyphSheet sheet = renderGlyphSheet(font->image, font->layout.fonts[font->size], font->size);
  const std::vector<std::uint8_t> bmp = monochromeBmp(kGlyphSheetSide, kGlyphSheetSide, sheet);
  return writeOrReport(font->out, bmp.data(), bmp.size());
}

int codepagesCommand(const Args& args) {
  if (args.size() != 1) return usageError("codepages takes one file");
  const auto parsed = readCodePageFileOrReport(args[0]);
  if (!parsed) return 1;
  std::string text;
  for (const CodePageItem& item : codePageListing(*parsed)) {
    text += item.text;
    for (const FontSize size : {Font8x16, Font8x14, Font8x8})
      if (item.sizes[size]) text += std::string("  ") + fontSizeName(size);
    text += "\n";
  }
  print(text);
  return 0;
}

}  // namespace quarzel::cli
