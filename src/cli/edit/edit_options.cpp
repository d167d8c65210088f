#include "cli/edit/edit_options.h"

#include <CLI/CLI.hpp>

#include "cli/command_line.h"

namespace quarzel::cli {

void addEditOptions(CLI::App& command, EditWords& words) {
  command.add_option("IN", words.in, "the BIOS image to edit")->required();
  command.add_option("-o", words.out, "the file to write, the edited image with its checksum")->type_name("OUT");
  addFlag(command, "--dry-run", words.dryRun, "list the bytes each edit writes; write no file");
  const auto edit = [&](const char* name, std::vector<std::string>& values, const char* type, const char* what) {
    // One value each time the option is given: a list of edits, or the last one wins.
    command.add_option(name, values, what)->type_name(type)->allow_extra_args(false);
  };
  edit("--string1", words.string1, "TEXT", "boot-up string 1");
  edit("--string2", words.string2, "TEXT", "boot-up string 2");
  edit("--date", words.date, "TEXT", "the BIOS date");
  edit("--register", words.registers, "NAME=TEXT", "a register's value in hexadecimal");
  edit("--pll", words.pll, "K,M,N[,TEST]", "PLLCtrl1 from its dividers");
  edit("--field", words.fields, "REGISTER:BITS=N", "a field of a register's bit-field dialog");
  edit("--clock", words.clock, "MHZ", "the PLLCtrl1 N nearest to a clock, K and M kept");
  edit("--vesa", words.vesa, "FIELD=TEXT", "a VESA string: vendor-info, vendor-name, product-name, product-revision");
  edit("--refresh", words.refreshes, "WIDTHxHEIGHT@HZ", "a standard refresh rate for a resolution");
  edit("--font", words.fonts, "SIZE=FILE.fnt", "load a font from a font file");
  edit("--codepage", words.codePages, "FILE.cpi:CODEPAGE[:SIZES]", "load the fonts of a code page");
  addFlag(command, "--remove-logo", words.removeLogo, "remove the logo, keeping the sign-on code");
  edit("--logo", words.logo, "FILE.bmp", "install a logo picture");
  edit("--logo-line", words.logoLines, "N=TEXT", "with --logo: text line N (1-5) under the picture");
  addFlag(command, "--grow", words.grow, "with --logo: let the ROM grow over the free bytes past it");
}

}  // namespace quarzel::cli
