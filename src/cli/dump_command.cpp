// dump: the hex listing, optionally coloured like the Dump page: bytes that
// differ from another image in red, a marked range in blue.
#include <cstdio>
#include <optional>

#include "cli/cli_support.h"
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

int dumpCommand(const Args& args) {
  std::optional<std::string> file, against;
  std::pair<std::int32_t, std::int32_t> mark{0, 0};
  std::string when = "auto";
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--against" && hasValue) {
      against = args[++i];
    } else if (arg == "--mark" && hasValue) {
      const auto parsed = parseMark(args[++i]);
      if (!parsed) return usageError("--mark takes OFFSET:LENGTH, a hexadecimal offset and a decimal length");
      mark = *parsed;
    } else if (arg == "--color" && hasValue) {
      when = args[++i];
      if (when != "auto" && when != "always" && when != "never") return usageError("--color takes auto, always or never");
    } else if (!file && !arg.starts_with("--")) {
      file = arg;
    } else {
      return usageError("dump takes one file and the options --against, --mark and --color");
    }
  }
  if (!file) return usageError("dump takes one file");
  const auto image = readImageOrReport(*file);
  if (!image) return 1;
  std::optional<Image> original = image;
  if (against && !(original = readImageOrReport(*against))) return 1;
  const std::string listing = dumpListing(*image);
  const bool colour = when == "always" || (when == "auto" && stdoutIsTerminal());
  print(colour ? ansiListing(listing, dumpHighlights(*image, *original, mark.first, mark.second)) : listing);
  return 0;
}

}  // namespace quarzel::cli
