// font export: a font of the BIOS as a font file.
#include "analysis/fonts/font_edits.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/font/font_options.h"

namespace quarzel::cli {

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

}  // namespace quarzel::cli
