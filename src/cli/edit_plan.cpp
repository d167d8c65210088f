#include "cli/edit_plan.h"

#include <algorithm>
#include <variant>

#include "analysis/register_fields.h"
#include "analysis/registers.h"
#include "cli/cli_support.h"
#include "cli/text_escapes.h"
#include "cli/vesa_names.h"
#include "formats/number_text.h"

namespace quarzel::cli {

namespace {

// NAME=VALUE
std::optional<std::pair<std::string, std::string>> splitAssignment(const std::string& text) {
  const auto equals = text.find('=');
  if (equals == std::string::npos || equals == 0) return std::nullopt;
  return std::pair{text.substr(0, equals), text.substr(equals + 1)};
}

std::optional<std::uint32_t> decimal(const std::string& text, std::uint32_t max) {
  const auto value = readDecimal(text);
  return value && *value <= max ? value : std::nullopt;
}

std::optional<VesaIndex> vesaField(const std::string& name) {
  for (std::size_t i = 0; i < kVesaStringCount; ++i)
    if (name == kVesaNames[i].option) return static_cast<VesaIndex>(i);
  return std::nullopt;
}

// K,M,N[,TEST] within the widths of their fields.
std::optional<std::uint32_t> pllSetting(const std::string& text) {
  const std::vector<std::string> parts = commaList(text);
  if (parts.size() < 3 || parts.size() > 4) return std::nullopt;
  const auto k = decimal(parts[0], 3), m = decimal(parts[1], 63), n = decimal(parts[2], 255);
  const auto test = parts.size() == 4 ? decimal(parts[3], 1) : std::optional<std::uint32_t>(0);
  if (!k || !m || !n || !test) return std::nullopt;
  return pllValue(*k, *m, *n, *test);
}

// FILE.cpi:CODEPAGE[:SIZES], read from the right so that a drive letter
// ("C:\fonts\ega.cpi:437") stays part of the path.
std::optional<CodePageEdit> codePageEdit(const std::string& text) {
  std::string rest = text;
  std::optional<FontSizeSet> sizes;
  auto colon = rest.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  if (rest.find('x', colon) != std::string::npos) {
    FontSizeSet set{};
    for (const std::string& name : commaList(rest.substr(colon + 1))) {
      const auto size = parseFontSize(name);
      if (!size) return std::nullopt;
      set[*size] = true;
    }
    sizes = set;
    rest.resize(colon);
    colon = rest.rfind(':');
    if (colon == std::string::npos) return std::nullopt;
  }
  const auto codePage = decimal(rest.substr(colon + 1), 65535);
  if (!codePage || colon == 0) return std::nullopt;
  return CodePageEdit{rest.substr(0, colon), static_cast<std::uint16_t>(*codePage), sizes};
}

// REGISTER:BITS=N, or the reason it cannot be used.
std::variant<FieldEdit, std::string> fieldEdit(const std::string& text) {
  const auto colon = text.find(':');
  const auto equals = text.find('=', colon == std::string::npos ? 0 : colon);
  if (colon == std::string::npos || equals == std::string::npos)
    return "--field takes REGISTER:BITS=N, for example PCIInit0:2..6=16";
  const auto index = registerNamed(std::string_view(text).substr(0, colon));
  if (!index) return "--field: REGISTER is " + registerNameList();
  const std::string name = kRegisterNames[*index];
  const RegisterFields* table = registerFieldsFor(*index);
  if (table == nullptr) return "--field: " + name + " has no bit fields; set it with --register " + name + "=VALUE";
  const std::string bits = text.substr(colon + 1, equals - colon - 1);
  const auto row = fieldRowAt(*table, bits);
  if (!row) {
    std::string fields;
    for (const BitField& field : table->fields)
      if (!field.reserved) fields += (fields.empty() ? "" : ", ") + bitRangeText(field);
    return "--field: " + name + " has no field at bits '" + bits + "'; its fields are " + fields;
  }
  const BitField& field = table->fields[*row];
  const std::string numberText = text.substr(equals + 1);
  const auto read = readDecimalNumber(numberText);
  const std::string where = "--field " + name + ":" + bits + ": ";
  const std::string tooLarge = where + numberDoesNotFit(field, numberText);
  if (const auto* error = std::get_if<NumberError>(&read))
    return *error == NumberError::TooLarge ? tooLarge : where + "'" + numberText + "' is not a decimal number";
  const std::uint32_t number = std::get<std::uint32_t>(read);
  if (number > fieldMaximum(field)) return tooLarge;
  return FieldEdit{*index, {*row, number}};
}

EditPlanParse bad(const std::string& message) { return {std::nullopt, message}; }

}  // namespace

EditPlanParse parseEditPlan(const std::vector<std::string>& args) {
  EditPlan plan;
  bool haveIn = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    // The options that take no value.
    if (args[i] == "--dry-run" || args[i] == "--remove-logo" || args[i] == "--grow") {
      (args[i] == "--dry-run" ? plan.dryRun : args[i] == "--grow" ? plan.grow : plan.removeLogo) = true;
      continue;
    }
    if (!args[i].starts_with("-")) {
      if (haveIn) return bad("edit takes one input file");
      plan.in = args[i];
      haveIn = true;
      continue;
    }
    // --OPTION=VALUE is one word, as diff --as-edits prints it.
    const auto equals = args[i].starts_with("--") ? args[i].find('=') : std::string::npos;
    const std::string option = args[i].substr(0, equals);
    if (equals == std::string::npos && i + 1 == args.size()) return bad(option + " needs a value");
    const std::string value = equals == std::string::npos ? args[++i] : args[i].substr(equals + 1);
    if (option == "--dry-run" || option == "--remove-logo" || option == "--grow") return bad(option + " takes no value");
    const auto text = unescapeText(value);
    const auto assignment = splitAssignment(value);
    if (option == "-o") {
      plan.out = value;
    } else if (option == "--string1" || option == "--string2" || option == "--date") {
      if (!text) return bad(option + ": bad escape in '" + value + "' (use \\r, \\n, \\\\ or \\xHH)");
      (option == "--string1" ? plan.string1 : option == "--string2" ? plan.string2 : plan.date) = *text;
    } else if (option == "--register") {
      const auto index = assignment ? registerNamed(assignment->first) : std::nullopt;
      if (!index) return bad("--register takes NAME=TEXT with NAME " + registerNameList());
      plan.registers.push_back({*index, assignment->second});
    } else if (option == "--pll") {
      plan.pll = pllSetting(value);
      if (!plan.pll) return bad("--pll takes K,M,N[,TEST] with K 0-3, M 0-63, N 0-255, TEST 0-1");
    } else if (option == "--field") {
      auto edit = fieldEdit(value);
      if (const auto* error = std::get_if<std::string>(&edit)) return bad(*error);
      plan.fields.push_back(std::get<FieldEdit>(edit));
    } else if (option == "--clock") {
      plan.clock = parseClock(value);
      if (!plan.clock) return bad("--clock: " + clockRule());
    } else if (option == "--vesa") {
      const auto field = assignment ? vesaField(assignment->first) : std::nullopt;
      if (!field) return bad("--vesa takes FIELD=TEXT with FIELD vendor-info, vendor-name, product-name or product-revision");
      const auto vesaText = unescapeText(assignment->second);
      if (!vesaText) return bad("--vesa: bad escape in '" + value + "'");
      plan.vesa.push_back({*field, *vesaText});
    } else if (option == "--refresh") {
      const auto setting = parseRefreshText(value);
      if (!setting) return bad("--refresh takes WIDTHxHEIGHT@HZ, such as 1024x768@85");
      plan.refreshes.push_back(*setting);
    } else if (option == "--font") {
      const auto size = assignment ? parseFontSize(assignment->first) : std::nullopt;
      if (!size || assignment->second.empty()) return bad("--font takes SIZE=FILE.fnt with SIZE 8x8, 8x14 or 8x16");
      plan.fonts.push_back({*size, assignment->second});
    } else if (option == "--codepage") {
      const auto edit = codePageEdit(value);
      if (!edit) return bad("--codepage takes FILE.cpi:CODEPAGE[:SIZES], SIZES a comma list of 8x8, 8x14, 8x16");
      plan.codePages.push_back(*edit);
    } else if (option == "--logo") {
      plan.logo = value;
    } else if (option == "--logo-line") {
      const auto line = assignment ? decimal(assignment->first, kLogoLines) : std::nullopt;
      const auto lineText = assignment ? unescapeText(assignment->second) : std::nullopt;
      if (!line || *line == 0 || !lineText) return bad("--logo-line takes N=TEXT with N from 1 to 5");
      plan.logoLines[*line - 1] = *lineText;
    } else {
      return bad("unknown edit option " + option);
    }
  }
  if (!haveIn) return bad("edit needs an input file");
  if (!plan.out && !plan.dryRun) return bad("edit needs -o OUT (or --dry-run)");
  if (!plan.logo && std::ranges::any_of(plan.logoLines, [](const auto& line) { return line.has_value(); }))
    return bad("--logo-line needs --logo");
  if (!plan.logo && plan.grow) return bad("--grow needs --logo");
  return {std::move(plan), {}};
}

}  // namespace quarzel::cli
