// preview: the screen the card shows at power-on, drawn from the image
// alone (no emulator), saved as a PNG picture.
#include <memory>

#include "analysis/boot_screen/boot_screen.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/png_picture.h"
#include "formats/number_text.h"

namespace quarzel::cli {

namespace {

// What the picture cannot tell by itself, on stderr.
void reportScreen(const std::string& file, const BootScreen& screen, const std::optional<std::uint32_t>& memory) {
  if (screen.kind == BootScreenKind::Silent)
    fail(file + ": the BIOS prints no sign-on; the screen stays blank until the PC BIOS writes");
  else if (screen.kind == BootScreenKind::Unrecognised)
    fail(file + ": no sign-on code quarzel knows was found; the picture is the blank screen");
  if (!memory || !screen.memoryBlocks || *screen.memoryBlocks == *memory * 4) return;
  const std::string size = std::to_string(*screen.memoryBlocks * 256) + "K";
  fail(file + (screen.memoryFromImage ? ": the BIOS reports " + size + " whatever the card holds"
                                      : ": the BIOS knows no size above " + size));
}

}  // namespace

CommandRun addPreviewCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand(
      "preview", "draw the screen FILE shows at power-on, from the image alone, as a PNG picture");
  struct Options {
    std::string file, out;
    std::optional<std::string> memory;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image")->required();
  command->add_option("-o", o->out, "the PNG picture to write")->required()->type_name("SCREEN.png");
  command->add_option("--memory", o->memory, "the card's memory in MB: 8, 16 or 32 (default 16)")->type_name("8|16|32");
  return [o] {
    BootScreenOptions options;
    std::optional<std::uint32_t> memory;
    if (o->memory) {
      memory = readDecimal(*o->memory);
      if (!memory || !isMemoryChoice(*memory)) usageError("--memory takes 8, 16 or 32 (MB)");
      options.memoryMegabytes = *memory;
    }
    const auto bios = readAndAnalyse(o->file);
    if (!bios) return 1;
    const BootScreen screen = drawBootScreen(bios->image, bios->layout, options);
    const std::vector<std::uint8_t> png = pngBytes(screen.width, screen.height, screen.pixels);
    if (png.empty()) return fail(o->out + ": the picture could not be encoded");
    reportScreen(o->file, screen, memory);
    return writeOrReport(o->out, png.data(), png.size());
  };
}

}  // namespace quarzel::cli
