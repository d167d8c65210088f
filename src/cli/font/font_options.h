// What font export and sheet share: a BIOS, a font size and a file to
// write, and the font found in the BIOS.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "analysis/bios_layout.h"
#include "formats/font_table.h"
#include "formats/image.h"

namespace CLI {
class App;
}

namespace quarzel::cli {

// FILE SIZE -o OUT, the shape of font export and sheet.
struct FontOptions {
  std::string file, size, out;
};

std::shared_ptr<FontOptions> addFontOptions(CLI::App& command, const std::string& out);

struct FontOutput {
  Image image;
  BiosLayout layout;
  FontSize size;
};

// The image and its font; empty when the image cannot be used, which was
// reported.
std::optional<FontOutput> readFont(const FontOptions& o);

}  // namespace quarzel::cli
