// preview: the screen the card shows at power-on, drawn from the image
// alone (no emulator), saved as a PNG picture.
#include <memory>

#include "analysis/boot_screen/boot_screen.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/preview/png_picture.h"
#include "formats/number_text.h"

namespace quarzel::cli {

namespace {

// The statuses of a picture written but not read whole, for scripts.
constexpr int kPartialStatus = 3, kUnrecognisedStatus = 4;

// What the picture cannot tell by itself, on stderr.
void reportScreen(const std::string& file, const BootScreen& screen, const std::optional<std::uint32_t>& memory) {
  for (const std::string& note : screenNotes(screen)) fail(file + ": " + note);
  // Said only of a size the user chose: at the default, a BIOS that shows
  // another size is no surprise worth a line.
  if (!memory || !screen.memory || screen.memory->blocks == *memory * kBlocksPerMegabyte) return;
  fail(file + ": " + describeMemory(*screen.memory, *memory));
}

int status(const BootScreen& screen) {
  switch (verdict(screen)) {
    case BootScreenVerdict::Whole: return 0;
    case BootScreenVerdict::Partial: return kPartialStatus;
    case BootScreenVerdict::Unrecognised: return kUnrecognisedStatus;
  }
  return kUnrecognisedStatus;
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
  command->footer("Exit status: 0 for a screen read whole from the image; " + std::to_string(kPartialStatus) +
                  " for one read in part (a step of the sign-on code quarzel could not follow, or no 8x16 font): "
                  "the picture is drawn as far as it was read, and standard error says what is missing; " +
                  std::to_string(kUnrecognisedStatus) +
                  " where no sign-on code quarzel knows was found: the picture is the blank screen; 1 for a file "
                  "that cannot be used; 2 for wrong use.");
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
    const int written = writeOrReport(o->out, png.data(), png.size());
    return written != 0 ? written : status(screen);
  };
}

}  // namespace quarzel::cli
