// dump: the hex listing, optionally coloured like the Dump page: bytes that
// differ from another image in red, a marked range in blue.
#include <cstdio>
#include <memory>
#include <optional>

#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "formats/dump_highlights.h"
#include "formats/dump_listing.h"
#include "formats/number_text.h"

namespace quarzel::cli {

namespace {

// The triples are applied in list order, as the Dump page applies them, so
// a later triple wins where two overlap.
std::string ansiListing(const std::string& listing, const std::vector<Highlight>& highlights) {
  // The escape of each character's colour: red for changed, blue for shown.
  static constexpr const char* kPlain = "\x1b[0m";
  static constexpr const char* kRed = "\x1b[31m";
  static constexpr const char* kBlue = "\x1b[34m";
  std::vector<const char*> colour(listing.size(), kPlain);
  const auto size = static_cast<std::int64_t>(listing.size());
  for (const Highlight& h : highlights)
    for (std::int64_t p = std::max<std::int64_t>(h.start, 0); p < std::min<std::int64_t>(h.end, size); ++p)
      colour[static_cast<std::size_t>(p)] = h.mark == Mark::Changed ? kRed : kBlue;
  std::string out;
  out.reserve(listing.size() * 2);
  const char* current = kPlain;
  for (std::size_t p = 0; p < listing.size(); ++p) {
    if (colour[p] != current) {
      out += colour[p];
      current = colour[p];
    }
    out += listing[p];
  }
  if (current != kPlain) out += kPlain;
  return out;
}

// OFFSET is hexadecimal as the offset buttons show it, LENGTH decimal.
std::optional<std::pair<std::int32_t, std::int32_t>> parseMark(const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const auto offset = parseHexText(text.substr(0, colon));
  const auto length = readDecimal(text.substr(colon + 1));
  if (!offset || *offset >= kImageCapacity || !length || *length > kImageCapacity) return std::nullopt;
  return std::pair{static_cast<std::int32_t>(*offset), static_cast<std::int32_t>(*length)};
}

}  // namespace

CommandRun addDumpCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("dump", "the image as a hex listing (CR LF lines)");
  struct Options {
    std::string file, against, mark, when = "auto";
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image")->required();
  command->add_option("--against", o->against, "show the bytes that differ from ORIG in red")->type_name("ORIG");
  command->add_option("--mark", o->mark, "show LENGTH bytes from the hexadecimal OFFSET in blue")
      ->type_name("OFFSET:LENGTH");
  command->add_option("--color", o->when, "colour the listing: auto (on a terminal), always or never")
      ->type_name("WHEN");
  return [o] {
    std::pair<std::int32_t, std::int32_t> mark{0, 0};
    if (!o->mark.empty()) {
      const auto parsed = parseMark(o->mark);
      if (!parsed) usageError("--mark takes OFFSET:LENGTH, a hexadecimal offset and a decimal length");
      mark = *parsed;
    }
    if (o->when != "auto" && o->when != "always" && o->when != "never") usageError("--color takes auto, always or never");
    const auto image = readImageOrReport(o->file);
    if (!image) return 1;
    std::optional<Image> original = image;
    if (!o->against.empty() && !(original = readImageOrReport(o->against))) return 1;
    const std::string listing = dumpListing(*image);
    const bool colour = o->when == "always" || (o->when == "auto" && stdoutIsTerminal());
    print(colour ? ansiListing(listing, dumpHighlights(*image, *original, mark.first, mark.second)) : listing);
    return 0;
  };
}

}  // namespace quarzel::cli
