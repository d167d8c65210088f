// diff: what differs between two images, item by item, and with --as-edits
// the edit options that carry B's items over to A. Like diff(1) it ends
// with 0 when the images are the same, 1 when they differ and 2 on trouble
// (a file that cannot be used, or wrong use).
#include "analysis/analysis_pass.h"
#include "analysis/bios_diff.h"
#include "analysis/carry_over.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/diff_edits.h"
#include "cli/diff_reports.h"

namespace quarzel::cli {

namespace {

constexpr const char* kGroupNames[kCarryGroupCount] = {"strings", "registers", "fonts", "vesa", "modes"};

// A comma list of group names; empty on a name that is none.
std::optional<CarryGroups> parseGroups(const std::string& list) {
  CarryGroups groups{};
  for (const std::string& name : commaList(list)) {
    bool known = false;
    for (std::size_t g = 0; g < kCarryGroupCount; ++g)
      if (name == kGroupNames[g]) known = groups[g] = true;
    if (!known) return std::nullopt;
  }
  return groups;
}

struct DiffRequest {
  std::string pathA, pathB;
  bool asEdits = false;
  CarryGroups groups = CarryOptions{}.groups;
  EditsRequest edits;
};

struct DiffParse {
  std::optional<DiffRequest> request;
  std::string error;
};

DiffParse parseDiff(const Args& args) {
  DiffRequest request;
  Args files;
  bool only = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--json") {
      request.edits.json = true;
    } else if (arg == "--as-edits") {
      request.asEdits = true;
    } else if (arg == "--only" || arg == "-d") {
      if (i + 1 == args.size()) return {std::nullopt, arg + " needs a value"};
      const std::string& value = args[++i];
      if (arg == "-d") {
        if (const auto error = unsafeFolder(value)) return {std::nullopt, *error};
        request.edits.fontFolder = value;
        continue;
      }
      const auto groups = parseGroups(value);
      if (!groups) return {std::nullopt, "--only takes a comma list of strings, registers, fonts, vesa and modes"};
      request.groups = *groups;
      only = true;
    } else if (arg.size() > 1 && arg.starts_with("-")) {
      return {std::nullopt, "unknown diff option " + arg};
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) return {std::nullopt, "diff takes two files"};
  if ((only || request.edits.fontFolder) && !request.asEdits) return {std::nullopt, "--only and -d go with --as-edits"};
  request.pathA = files[0];
  request.pathB = request.edits.pathB = files[1];
  return {std::move(request), {}};
}

}  // namespace

int diffCommand(const Args& args) {
  const DiffParse parsed = parseDiff(args);
  if (!parsed.request) return usageError(parsed.error);
  const DiffRequest& request = *parsed.request;
  const auto a = readImageOrReport(request.pathA);
  if (!a) return 2;
  const auto b = readImageOrReport(request.pathB);
  if (!b) return 2;
  BiosLayout layoutA, layoutB;
  AnalysisPass(*a, layoutA);
  AnalysisPass(*b, layoutB);
  const BiosDiff diff = diffBios(*a, layoutA, *b, layoutB);
  const int differs = diff.identical ? 0 : 1;
  if (request.asEdits) {
    const CarryOptions options{request.groups, request.edits.fontFolder.has_value()};
    const int status = printEdits(request.edits, carryOver(*a, layoutA, *b, layoutB, options));
    return status != 0 ? status : differs;
  }
  const DiffNames names{baseName(request.pathA), baseName(request.pathB)};
  print(request.edits.json ? diffJson(names, diff) : diffText(names, diff));
  return differs;
}

}  // namespace quarzel::cli
