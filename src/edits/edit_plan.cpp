#include "edits/edit_plan.h"

#include <algorithm>
#include <tuple>
#include <variant>

#include "analysis/registers/register_fields.h"
#include "analysis/registers/registers.h"
#include "describe/names.h"
#include "describe/vesa_names.h"
#include "formats/text_escapes.h"
#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel {

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
  const auto k = decimal(parts[0], fieldMaximum(kPllK)), m = decimal(parts[1], fieldMaximum(kPllM)),
             n = decimal(parts[2], fieldMaximum(kPllN));
  const auto test = parts.size() == 4 ? decimal(parts[3], fieldMaximum(kPllTest)) : std::optional<std::uint32_t>(0);
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

EditPlanParse parseEditPlan(const EditWords& words) {
  EditPlan plan;
  plan.in = words.in;
  if (!words.out.empty()) plan.out = words.out;
  plan.dryRun = words.dryRun;
  plan.removeLogo = words.removeLogo;
  plan.grow = words.grow;
  for (const auto& [option, values, field] : {std::tuple{"--string1", &words.string1, &plan.string1},
                                              std::tuple{"--string2", &words.string2, &plan.string2},
                                              std::tuple{"--date", &words.date, &plan.date}})
    for (const std::string& value : *values) {
      const auto text = unescapeText(value);
      if (!text) return bad(std::string(option) + ": bad escape in '" + value + "' (use \\r, \\n, \\\\ or \\xHH)");
      *field = *text;
    }
  for (const std::string& value : words.registers) {
    const auto assignment = splitAssignment(value);
    const auto index = assignment ? registerNamed(assignment->first) : std::nullopt;
    if (!index) return bad("--register takes NAME=TEXT with NAME " + registerNameList());
    plan.registers.push_back({*index, assignment->second});
  }
  for (const std::string& value : words.pll) {
    plan.pll = pllSetting(value);
    if (!plan.pll)
      return bad(formatText("--pll takes K,M,N[,TEST] with K 0-%u, M 0-%u, N 0-%u, TEST 0-%u", fieldMaximum(kPllK),
                            fieldMaximum(kPllM), fieldMaximum(kPllN), fieldMaximum(kPllTest)));
  }
  for (const std::string& value : words.fields) {
    auto edit = fieldEdit(value);
    if (const auto* error = std::get_if<std::string>(&edit)) return bad(*error);
    plan.fields.push_back(std::get<FieldEdit>(edit));
  }
  for (const std::string& value : words.clock) {
    plan.clock = parseClock(value);
    if (!plan.clock) return bad("--clock: " + clockRule());
  }
  for (const std::string& value : words.vesa) {
    const auto assignment = splitAssignment(value);
    const auto field = assignment ? vesaField(assignment->first) : std::nullopt;
    if (!field) return bad("--vesa takes FIELD=TEXT with FIELD vendor-info, vendor-name, product-name or product-revision");
    const auto vesaText = unescapeText(assignment->second);
    if (!vesaText) return bad("--vesa: bad escape in '" + value + "'");
    plan.vesa.push_back({*field, *vesaText});
  }
  for (const std::string& value : words.refreshes) {
    const auto setting = parseRefreshText(value);
    if (!setting) return bad("--refresh takes WIDTHxHEIGHT@HZ, such as 1024x768@85");
    plan.refreshes.push_back(*setting);
  }
  for (const std::string& value : words.fonts) {
    const auto assignment = splitAssignment(value);
    const auto size = assignment ? parseFontSize(assignment->first) : std::nullopt;
    if (!size || assignment->second.empty()) return bad("--font takes SIZE=FILE.fnt with SIZE 8x8, 8x14 or 8x16");
    plan.fonts.push_back({*size, assignment->second});
  }
  for (const std::string& value : words.codePages) {
    const auto edit = codePageEdit(value);
    if (!edit) return bad("--codepage takes FILE.cpi:CODEPAGE[:SIZES], SIZES a comma list of 8x8, 8x14, 8x16");
    plan.codePages.push_back(*edit);
  }
  if (!words.logo.empty()) plan.logo = words.logo.back();
  for (const std::string& value : words.logoLines) {
    const auto assignment = splitAssignment(value);
    const auto line = assignment ? decimal(assignment->first, kLogoLines) : std::nullopt;
    const auto lineText = assignment ? unescapeText(assignment->second) : std::nullopt;
    if (!line || *line == 0 || !lineText) return bad("--logo-line takes N=TEXT with N from 1 to 5");
    plan.logoLines[*line - 1] = *lineText;
  }
  if (!plan.out && !plan.dryRun) return bad("edit needs -o OUT (or --dry-run)");
  if (!plan.logo && std::ranges::any_of(plan.logoLines, [](const auto& line) { return line.has_value(); }))
    return bad("--logo-line needs --logo");
  if (!plan.logo && plan.grow) return bad("--grow needs --logo");
  return {std::move(plan), {}};
}

}  // namespace quarzel
