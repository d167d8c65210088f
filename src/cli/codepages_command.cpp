// codepages: the code pages of a code-page file, and the Select Font
// preview of one.
#include <memory>

#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "edits/edit_files.h"
#include "formats/bmp_picture.h"
#include "formats/code_page_file.h"
#include "formats/number_text.h"

namespace quarzel::cli {

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
    const CodePageRead read = readCodePage(readWholeFile, o->file);
    if (!read.file) return fail(read.error);
    const CodePageFile& parsed = *read.file;
    if (codePage) {
      const auto page = static_cast<std::uint16_t>(*codePage);
      if (!holdsCodePage(parsed, page)) return fail(missingCodePage(o->file, page));
      const std::vector<std::uint8_t> bmp = monochromeBmp(kPreviewWidth, kPreviewHeight, codePagePreview(parsed, page));
      return writeOrReport(o->out, bmp.data(), bmp.size());
    }
    std::string text;
    for (const CodePageItem& item : codePageListing(parsed)) {
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
