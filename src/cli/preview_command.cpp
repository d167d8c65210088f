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
  // Said only of a size the user chose: at the default, a BIOS that shows
  // another size is no surprise worth a line.
  if (!memory || !screen.memory || screen.memory->blocks == *memory * kBlocksPerMegabyte) return;
  const std::string size = std::to_string(screen.memory->blocks * kKilobytesPerBlock) + "K";
  fail(file + (screen.memory->fromImage ? ": the BIOS reports " + size + " whatever the card holds"
                                      : ": the BIOS knows no size above " + size));
}

// The sizes --memory takes, "8, 16 or 32", and as a type name "8|16|32".
std::string memoryChoices(const char* between, const char* last) {
  std::string text;
  for (std::size_t i = 0; i < std::size(kMemoryChoices); ++i)
    text += (i == 0 ? "" : i + 1 == std::size(kMemoryChoices) ? last : between) + std::to_string(kMemoryChoices[i]);
  return text;
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
  command
      ->add_option("--memory", o->memory,
                   "the card's memory in MB: " + memoryChoices(", ", " or ") + " (default " +
                       std::to_string(kDefaultMemoryMegabytes) + ")")
      ->type_name(memoryChoices("|", "|"));
  return [o] {
    BootScreenOptions options;
    std::optional<std::uint32_t> memory;
    if (o->memory) {
      memory = readDecimal(*o->memory);
      if (!memory || !isMemoryChoice(*memory)) usageError("--memory takes " + memoryChoices(", ", " or ") + " (MB)");
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
