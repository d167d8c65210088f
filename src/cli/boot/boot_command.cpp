// boot: the ROM as the video BIOS of an emulated PC (Bochs, with its Banshee
// or Voodoo3 card), and the screen it leaves when the PC reaches its boot
// floppy: the text page as text, and with -o the screen as a PNG picture
// taken from a private virtual display. With --mode, the boot floppy then
// sets a VESA mode, and the resolution and refresh the emulated card
// computes for it are read from the emulator's log.
#include <algorithm>
#include <memory>

#include "cli/boot/boot_args.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

// A VESA mode number in hexadecimal as the BIOS's tables show it: "117h",
// "117" or "0x117".
std::optional<std::uint16_t> parseModeNumber(std::string_view text) {
  if (text.ends_with('h') || text.ends_with('H')) text.remove_suffix(1);
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  if (text.empty() || text.size() > 4 || !std::ranges::all_of(text, [](char c) { return hexDigitValue(c) >= 0; }))
    return std::nullopt;
  return static_cast<std::uint16_t>(*parseHexText(text));
}

}  // namespace

CommandRun addBootCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand(
      "boot", "start FILE as the video BIOS of an emulated PC (Bochs) and show its screen at the boot floppy");
  struct Options {
    std::string file;
    std::optional<std::string> out, timeout, mode;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image")->required();
  command->add_option("-o", o->out, "save the screen as a PNG picture")->type_name("SCREEN.png");
  command->add_option("--timeout", o->timeout, formatText("give up after S seconds (default %g)", kDefaultBootTimeout))->type_name("S");
  command->add_option("--mode", o->mode, "then set VESA mode N (hexadecimal, 117h) and report its refresh")
      ->type_name("N");
  return [o] {
    BootArgs args;
    args.file = o->file;
    args.out = o->out;
    if (o->timeout) {
      const auto seconds = readDecimalFraction(*o->timeout);
      if (!seconds || *seconds <= 0 || *seconds > 3600) usageError("--timeout takes seconds from 0 to 3600");
      args.timeout = *seconds;
    }
    if (o->mode) {
      args.mode = parseModeNumber(*o->mode);
      if (!args.mode) usageError("--mode takes a VESA mode number in hexadecimal, 0 to FFFFh: 117h");
    }
    return boot(args);
  };
}

}  // namespace quarzel::cli
