// The options of `quarzel-cli edit` as the input, one argument after each
// NUL byte: its command line, the plan's parse with its escapes, register
// texts, `--field`, `--clock`, `--pll` and `--codepage` paths, and the number
// readers each argument could meet. What the parse accepts must be usable as it stands.
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "analysis/registers/pll_search.h"
#include "analysis/registers/register_fields.h"
#include "cli/cli_support.h"
#include "cli/edit/edit_options.h"
#include "edits/edit_plan.h"
#include "formats/text_escapes.h"
#include "formats/number_text.h"
#include "fuzz_support.h"

namespace quarzel::fuzz {
namespace {

void readArgument(const std::string& text) {
  const auto unescaped = unescapeText(text);
  if (text.find('\\') == std::string::npos && unescaped != text) broken("escapes", "changed a text without a backslash");
  // What `diff --as-edits` writes, `edit` reads back as it was.
  const std::string escaped = escapeText(text, kShellSpecial);
  if (unescapeText(escaped) != text) broken("escapes", "do not give back what diff --as-edits escaped");
  // Stated here on its own, so that a character dropped from the escaped
  // set is caught: blanks, quotes and wildcards, and control bytes.
  for (const char c : escaped)
    if (c < 0x20 || c > 0x7E || std::string_view(" \"'*?[]").find(c) != std::string_view::npos)
      broken("escapes", "left a character the shell splits or a control byte");
  keep(readHexNumber(text));
  keep(readDecimalNumber(text));
  // A field's text as a dialog reads it: a number it takes fits the field.
  for (const BitField& field : registerFieldsFor(PLLCtrl1)->fields) {
    const FieldReading reading = readFieldNumber(field, text);
    if (reading.refusal.empty() && reading.number > fieldMaximum(field)) broken("field text", "took a number its field cannot hold");
  }
  keep(codePageOfItem(text));
  keep(registerNamed(text));
  keep(parseFontSize(text));
  const auto clock = parseClock(text);
  if (clock) keep(nearestPllSetting(1, 3, 0, *clock));
}

void checkPlan(const EditPlan& plan) {
  for (const FieldEdit& edit : plan.fields) {
    const RegisterFields* table = registerFieldsFor(edit.registerIndex);
    if (table == nullptr || edit.field.row >= table->fields.size()) broken("--field", "took a field no dialog has");
    const BitField& field = table->fields[edit.field.row];
    if (field.reserved || edit.field.number > fieldMaximum(field)) broken("--field", "took a number its field cannot hold");
  }
  if (plan.clock && !(*plan.clock > 0 && *plan.clock <= highestPllFrequency())) broken("--clock", "took a clock out of range");
  if (plan.pll) {
    const PllDividers d = pllDividers(*plan.pll);
    if (pllValue(d.k, d.m, d.n, d.test) != *plan.pll) broken("--pll", "took a value its dividers do not rebuild");
  }
  for (const CodePageEdit& edit : plan.codePages)
    if (edit.path.empty()) broken("--codepage", "took an empty path");
  for (const RegisterText& r : plan.registers)
    if (r.index >= kRegisterCount) broken("--register", "took a register that is not one of the nine");
}

}  // namespace
}  // namespace quarzel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarzel;
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back().push_back(static_cast<char>(data[i]));
  }
  for (const std::string& arg : args) fuzz::readArgument(arg);
  // The words as `quarzel-cli edit` reads them; what its command line
  // refuses never reaches the plan.
  CLI::App command;
  EditWords words;
  cli::addEditOptions(command, words);
  try {
    command.parse(std::vector(args.rbegin(), args.rend()));
  } catch (const CLI::Error&) {
    return 0;
  }
  const EditPlanParse parsed = parseEditPlan(words);
  if (parsed.plan) fuzz::checkPlan(*parsed.plan);
  else if (parsed.error.empty()) fuzz::broken("edit options", "were refused without a message");
  return 0;
}
