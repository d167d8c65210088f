#include "cli/font/font_options.h"

#include <utility>

#include <CLI/CLI.hpp>

#include "cli/cli_support.h"

namespace quarzel::cli {

std::shared_ptr<FontOptions> addFontOptions(CLI::App& command, const std::string& out) {
  const auto o = std::make_shared<FontOptions>();
  command.add_option("FILE", o->file, "the BIOS image")->required();
  command.add_option("SIZE", o->size, "the font: 8x8, 8x14 or 8x16")->required();
  command.add_option("-o", o->out, "the file to write")->required()->type_name(out);
  return o;
}

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

}  // namespace quarzel::cli
