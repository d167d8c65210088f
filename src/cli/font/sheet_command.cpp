// sheet: the glyph sheet of a font of the BIOS as a BMP.
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/font/font_options.h"
#include "formats/bmp_picture.h"
#include "formats/glyph_sheet.h"

namespace quarzel::cli {

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

}  // namespace quarzel::cli
