// font export, codepages and sheet: the fonts of a BIOS and of code-page
// files as files.
#include <memory>
#include <utility>

#include "analysis/fonts/font_edits.h"
#include "cli/cli_support.h"
#include "cli/code_page_input.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "formats/bmp_picture.h"
#include "formats/code_page_file.h"
#include "formats/file_io.h"
#include "formats/glyph_sheet.h"
#include "formats/number_text.h"

namespace quarzel::cli {

namespace {

// FILE SIZE -o OUT, the shape of font export and sheet.
struct FontOptions {
  std::string file, size, out;
};

std::shared_ptr<FontOptions> addFontOptions(CLI::App& command, const std::string& out) {
  const auto o = std::make_shared<FontOptions>();
  command.add_option("FILE", o->file, "the BIOS image")->required();
  command.add_option("SIZE", o->size, "the font: 8x8, 8x14 or 8x16")->required();
  command.add_option("-o", o->out, "the file to write")->required()->type_name(out);
  return o;
}

struct FontOutput {
  Image image;
  BiosLayout layout;
  FontSize size;
};

// The image and its font; empty when the image cannot be used, which was
// reported.
std::optional<FontOutput> readFont(const FontOptions& o) {
  const auto size = parseFontSize(o.size);
  if (!size) usageError("the font size is 8x8, 8x14 or 8x16");
  auto bios = readAndAnalyse(o.file);
  if (!bios) return std::nullopt;
  FontOutput result{std::move(bios->image), bios->layout, *size};
  if (!result.layout.fonts[*size]) {
    fail(o.file + ": the " + fontSizeName(*size) + " font is not found in this BIOS");
    return std::nullopt;
  }
  return result;
}

}  // namespace

CommandRun addFontCommand(CLI::App& app) {
  CLI::App* fonts = app.add_subcommand("font", "the fonts of a BIOS as files");
  fonts->require_subcommand(1);
  CLI::App* command = fonts->add_subcommand("export", "save a font of the BIOS as a font file");
  const auto o = addFontOptions(*command, "OUT.fnt");
  return [o] {
    const auto font = readFont(*o);
    if (!font) return 1;
    const auto bytes = fontFileBytes(font->image, font->layout, font->size);
    if (!bytes) return fail(o->file + ": the " + fontSizeName(font->size) + " font does not lie inside the image");
    return writeOrReport(o->out, bytes->data(), bytes->size());
  };
}

CommandRun addSheetCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("sheet", "the glyph sheet of a font as a BMP");
  const auto o = addFontOptions(*command, "OUT.bmp");
  return [o] {
    const auto font = readFont(*o);
    if (!font) return 1;
    const GlyphSheet sheet = renderGlyphSheet(font->image, font->layout.fonts[font->size], font->size);
    const std::vector<std::uint8_t> bmp = monochromeBmp(kGlyphSheetSide, kGlyphSheetSide, sheet);
    return writeOrReport(o->out, bmp.data(), bmp.size());
  };
}

// codepages FILE.cpi lists; with --preview CODEPAGE -o OUT.bmp it draws the
// Select Font preview of one code page instead.
CommandRun addCodepagesCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("codepages", "the code pages of a code-page file");
  struct Options {
    std::string file, codePage, out;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the code-page file")->required()->type_name("FILE.cpi");
  CLI::Option* preview = command->add_option("--preview", o->codePage, "draw the Select Font preview of a code page")
                             ->type_name("CODEPAGE");
  CLI::Option* out = command->add_option("-o", o->out, "with --preview: the BMP to write")->type_name("OUT.bmp");
  preview->needs(out);
  out->needs(preview);
  return [o] {
    std::optional<std::uint32_t> codePage;
    if (!o->codePage.empty()) {
      codePage = readDecimal(o->codePage);
      if (!codePage || *codePage > 0xFFFF) usageError("--preview takes a code page from 0 to 65535");
    }
    const auto parsed = readCodePageFileOrReport(o->file);
    if (!parsed) return 1;
    if (codePage) {
      const auto page = static_cast<std::uint16_t>(*codePage);
      if (!holdsCodePage(*parsed, page)) return fail(missingCodePage(o->file, page));
      const std::vector<std::uint8_t> bmp = monochromeBmp(kPreviewWidth, kPreviewHeight, codePagePreview(*parsed, page));
      return writeOrReport(o->out, bmp.data(), bmp.size());
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
  };
}

}  // namespace quarzel::cli
