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
#include "formats/number_text.h"

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

// codepages FILE.cpi lists; with --preview CODEPAGE -o OUT.bmp it draws the
// Select Font preview of one code page instead.
int codepagesCommand(const Args& args) {
  const char* shape = "codepages takes FILE.cpi [--preview CODEPAGE -o OUT.bmp]";
  if (args.empty() || args[0].starts_with("-")) return usageError(shape);
  std::optional<std::uint32_t> codePage;
  std::optional<std::string> out;
  for (std::size_t k = 1; k < args.size(); k += 2) {
    if (k + 1 == args.size()) return usageError(shape);
    if (args[k] == "--preview" && !codePage) {
      codePage = readDecimal(args[k + 1]);
      if (!codePage || *codePage > 0xFFFF) return usageError("--preview takes a code page from 0 to 65535");
    } else if (args[k] == "-o" && !out) {
      out = args[k + 1];
    } else {
      return usageError(shape);
    }
  }
  if (codePage.has_value() != out.has_value()) return usageError(shape);
  const auto parsed = readCodePageFileOrReport(args[0]);
  if (!parsed) return 1;
  if (codePage) {
    const auto page = static_cast<std::uint16_t>(*codePage);
    if (!holdsCodePage(*parsed, page)) return fail(missingCodePage(args[0], page));
    const std::vector<std::uint8_t> bmp = monochromeBmp(kPreviewWidth, kPreviewHeight, codePagePreview(*parsed, page));
    return writeOrReport(*out, bmp.data(), bmp.size());
  }
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
