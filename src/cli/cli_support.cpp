#include "cli/cli_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <span>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "analysis/pll_search.h"
#include "analysis/registers.h"
#include "formats/file_io.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel::cli {

const char* usage() {
  return "usage: quarzel-cli info [--json] FILE   report every item found in a BIOS image\n"
         "       quarzel-cli mode FILE [ROW]      the registers of video mode ROW (0-54, default 0)\n"
         "       quarzel-cli mode --list          the rows of the video mode list\n"
         "       quarzel-cli modes FILE [--json]  every video mode as the BIOS sets it: its record,\n"
         "                                        parameter entry, pixel clock, refresh and line rate\n"
         "       quarzel-cli modes FILE --timings the standard refresh rates each resolution can take\n"
         "       quarzel-cli dump FILE [--against ORIG] [--mark OFFSET:LENGTH] [--color WHEN]\n"
         "                                        the image as a hex listing (CR LF lines)\n"
         "       quarzel-cli edit IN -o OUT [--dry-run] EDITS...\n"
         "                                        edit a BIOS image and save it with its checksum\n"
         "       quarzel-cli compare [--json] A B the nine registers of two images side by side\n"
         "       quarzel-cli diff A B [--json]    what differs between two images, item by item;\n"
         "                                        status 0 the same, 1 different, 2 trouble\n"
         "       quarzel-cli diff A B --as-edits [--only GROUPS] [-d DIR] [--json]\n"
         "                                        the edit options, one a line, that carry B's items\n"
         "                                        over to A; -d DIR takes B's fonts along as files\n"
         "       quarzel-cli registers FILE [REGISTER] [--json]\n"
         "                                        the registers split into their bit fields\n"
         "       quarzel-cli pll FILE MHZ         the PLL dividers nearest to a clock\n"
         "       quarzel-cli font export FILE SIZE -o OUT.fnt\n"
         "                                        save a font of the BIOS as a font file\n"
         "       quarzel-cli boot FILE [-o SCREEN.png] [--timeout S] [--mode N]\n"
         "                                        start FILE as the video BIOS of an emulated PC (Bochs)\n"
         "                                        and show its screen at the boot floppy; --mode then\n"
         "                                        sets VESA mode N (hex) and reports its refresh\n"
         "       quarzel-cli codepages FILE.cpi   the code pages of a code-page file\n"
         "       quarzel-cli codepages FILE.cpi --preview CODEPAGE -o OUT.bmp\n"
         "                                        the Select Font preview of a code page as a BMP\n"
         "       quarzel-cli sheet FILE SIZE -o OUT.bmp\n"
         "                                        the glyph sheet of a font as a BMP\n"
         "       quarzel-cli sample -o FILE       write the built-in sample image\n"
         "SIZE is 8x8, 8x14 or 8x16; WHEN is auto, always or never;\n"
         "GROUPS a comma list of strings, registers, fonts, vesa and modes.\n"
         "edits, made in this order: --string1 TEXT  --string2 TEXT  --date TEXT\n"
         "       --register NAME=TEXT  --pll K,M,N[,TEST]  --field REGISTER:BITS=N\n"
         "       --clock MHZ  --vesa FIELD=TEXT  --refresh WIDTHxHEIGHT@HZ  --font SIZE=FILE.fnt\n"
         "       --codepage FILE.cpi:CODEPAGE[:SIZES]  --remove-logo  --logo FILE.bmp [--grow]\n"
         "       --logo-line N=TEXT\n"
         "BITS as the register's dialog writes them (2..6, 8); MHZ a decimal number (108.8).\n"
         "TEXT understands \\r, \\n, \\\\ and \\xHH; --OPTION=VALUE is the same as --OPTION VALUE.\n";
}

int fail(const std::string& message) {
  std::fprintf(stderr, "quarzel-cli: %s\n", message.c_str());
  return 1;
}

int usageError(const std::string& message) {
  std::fprintf(stderr, "quarzel-cli: %s\n%s", message.c_str(), usage());
  return 2;
}

void print(const std::string& text) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::fwrite(text.data(), 1, text.size(), stdout);
}

bool stdoutIsTerminal() { return isatty(fileno(stdout)) != 0; }

std::string baseName(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> commaList(const std::string& text) {
  std::vector<std::string> pieces(1);
  for (const char c : text) {
    if (c == ',')
      pieces.emplace_back();
    else
      pieces.back().push_back(c);
  }
  return pieces;
}

std::optional<std::size_t> registerNamed(std::string_view name) {
  const auto sameLetter = [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  };
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    if (std::ranges::equal(name, std::string_view(kRegisterNames[i]), sameLetter)) return i;
  return std::nullopt;
}

std::string registerNameList() {
  std::string list;
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    list += (i == 0 ? "" : i + 1 == kRegisterCount ? " or " : ", ") + std::string(kRegisterNames[i]);
  return list;
}

std::optional<double> parseClock(const std::string& text) {
  const auto megahertz = readDecimalFraction(text);
  if (!megahertz || !(*megahertz > 0) || *megahertz > highestPllFrequency()) return std::nullopt;
  return megahertz;
}

std::string clockRule() {
  // Three decimals round the highest clock down, so the number shown is taken.
  return formatText("MHZ is a decimal number such as 100 or 108.8, above 0 and at most %.3f (the PLL's highest clock)",
                    highestPllFrequency());
}

std::optional<FontSize> parseFontSize(const std::string& text) {
  for (const FontSize size : kFontSizes)
    if (text == fontSizeName(size)) return size;
  return std::nullopt;
}

const char* fontSizeName(FontSize size) {
  return size == Font8x8 ? "8x8" : size == Font8x14 ? "8x14" : "8x16";
}

std::optional<Image> readImageOrReport(const std::string& path) {
  ImageFile file = readImageFile(path);
  if (!file.image) fail(path + ": " + file.error);
  return file.image;
}

int writeOrReport(const std::string& path, const std::uint8_t* bytes, std::size_t size) {
  const std::string error = writeFileAtomically(path, std::span(bytes, size));
  return error.empty() ? 0 : fail(path + ": " + error);
}

int writeOrReport(const std::string& path, const std::string& bytes) {
  return writeOrReport(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace quarzel::cli
