// edit: the page edits of the desktop program in one batch, then the
// checksum fix of Save BIOS As..., written atomically.
#include <cstdio>
#include <memory>

#include <CLI/CLI.hpp>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/edit/edit_options.h"
#include "edits/edit_run.h"
#include "formats/file_io.h"

namespace quarzel::cli {

namespace {

std::string noteLine(const EditNote& note) {
  switch (note.kind) {
    case EditNote::Kind::Plain: return note.text + "\n";
    case EditNote::Kind::Remark: return "quarzel-cli: " + note.text + "\n";
    case EditNote::Kind::Warning: return "quarzel-cli: warning: " + note.text + "\n";
  }
  return {};
}

int edit(const EditPlan& plan) {
  auto image = readImageOrReport(plan.in);
  if (!image) return 1;
  const EditRun run = runEdits(std::move(*image), plan, readWholeFile);
  if (!run.ok()) return fail(run.refusal);
  if (run.checksumNote) std::fputs(noteLine(*run.checksumNote).c_str(), stderr);
  if (plan.dryRun) {
    print(run.written);
  } else if (const int status = writeOrReport(*plan.out, run.image.bytes.data(), run.image.size); status != 0) {
    return status;
  }
  std::fflush(stdout);  // the notes follow the --dry-run list, also through pipes
  for (const EditNote& note : run.notes) std::fputs(noteLine(note).c_str(), stderr);
  return 0;
}

}  // namespace

CommandRun addEditCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("edit", "edit a BIOS image and save it with its checksum");
  command->footer(
      "The edits are made in the order listed above.\n"
      "SIZE is 8x8, 8x14 or 8x16; SIZES a comma list of them. BITS as the register's dialog writes them (2..6, 8);\n"
      "MHZ a decimal number (108.8). TEXT understands \\r, \\n, \\\\ and \\xHH.");
  const auto words = std::make_shared<EditWords>();
  addEditOptions(*command, *words);
  return [words] {
    const EditPlanParse parsed = parseEditPlan(*words);
    if (!parsed.plan) usageError(parsed.error);
    return edit(*parsed.plan);
  };
}

}  // namespace quarzel::cli
