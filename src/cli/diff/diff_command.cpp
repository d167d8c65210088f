// diff: what differs between two images, item by item, and with --as-edits
// the edit options that carry B's items over to A. Like diff(1) it ends
// with 0 when the images are the same, 1 when they differ and 2 on trouble
// (a file that cannot be used, or wrong use).
#include <memory>

#include "analysis/compare/bios_diff.h"
#include "analysis/compare/carry_over.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/diff/diff_edits.h"
#include "describe/diff_text.h"

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

struct DiffOptions {
  std::string pathA, pathB, only, fontFolder;
  bool json = false, asEdits = false;
};

}  // namespace

CommandRun addDiffCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand(
      "diff", "what differs between two images, item by item; status 0 the same, 1 different, 2 trouble");
  const auto o = std::make_shared<DiffOptions>();
  command->add_option("A", o->pathA, "the first BIOS image")->required();
  command->add_option("B", o->pathB, "the second BIOS image")->required();
  addFlag(*command, "--json", o->json, "one JSON object, for scripts");
  addFlag(*command, "--as-edits", o->asEdits, "the edit options, one a line, that carry B's items over to A");
  command->add_option("--only", o->only, "with --as-edits: only these of strings, registers, fonts, vesa and modes")
      ->type_name("GROUPS");
  command->add_option("-d", o->fontFolder, "with --as-edits: take B's fonts along as files in DIR")->type_name("DIR");
  command->footer("GROUPS is a comma list of strings, registers, fonts, vesa and modes.");
  return [o] {
    CarryGroups groups = CarryOptions{}.groups;
    if (!o->only.empty()) {
      const auto parsed = parseGroups(o->only);
      if (!parsed) usageError("--only takes a comma list of strings, registers, fonts, vesa and modes");
      groups = *parsed;
    }
    if (!o->fontFolder.empty())
      if (const auto error = unsafeFolder(o->fontFolder)) usageError(*error);
    if ((!o->only.empty() || !o->fontFolder.empty()) && !o->asEdits) usageError("--only and -d go with --as-edits");
    const auto a = readAndAnalyse(o->pathA);
    if (!a) return 2;
    const auto b = readAndAnalyse(o->pathB);
    if (!b) return 2;
    const BiosDiff diff = diffBios(a->image, a->layout, b->image, b->layout);
    const int differs = diff.identical ? 0 : 1;
    if (o->asEdits) {
      EditsRequest request{o->pathB, std::nullopt, o->json};
      if (!o->fontFolder.empty()) request.fontFolder = o->fontFolder;
      const CarryOptions options{groups, request.fontFolder.has_value()};
      const int status = printEdits(request, carryOver(a->image, a->layout, b->image, b->layout, options));
      return status != 0 ? status : differs;
    }
    const DiffNames names{baseName(o->pathA), baseName(o->pathB)};
    print(o->json ? diffJson(names, diff) : diffText(names, diff));
    return differs;
  };
}

}  // namespace quarzel::cli
