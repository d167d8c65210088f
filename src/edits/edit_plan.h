// The edits that `quarzel-cli edit` and the page are asked for, in the
// words of edit's options, parsed and checked before any file is read.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "analysis/fonts/font_edits.h"
#include "analysis/modes/refresh_edit.h"
#include "analysis/registers/register_fields.h"
#include "formats/font_table.h"
#include "formats/logo_block.h"

namespace quarzel {

struct RegisterText {
  std::size_t index;
  std::string text;
};

// A field of a register's bit-field dialog and its new number, which fits.
struct FieldEdit {
  std::size_t registerIndex;
  RowNumber field;
};

struct VesaText {
  VesaIndex field;
  std::string text;
};

struct FontFileEdit {
  FontSize size;
  std::string path;
};

struct CodePageEdit {
  std::string path;
  std::uint16_t codePage;
  std::optional<FontSizeSet> sizes;  // empty: all three
};

struct EditPlan {
  std::string in;
  std::optional<std::string> out;
  bool dryRun = false;
  std::optional<std::string> string1, string2, date;
  std::vector<RegisterText> registers;
  std::optional<std::uint32_t> pll;  // PLLCtrl1 rebuilt from K, M, N and test
  std::vector<FieldEdit> fields;
  std::optional<double> clock;  // MHz
  std::vector<VesaText> vesa;
  std::vector<RefreshSetting> refreshes;
  std::vector<FontFileEdit> fonts;
  std::vector<CodePageEdit> codePages;
  bool removeLogo = false;  // made before --logo
  std::optional<std::string> logo;
  std::array<std::optional<std::string>, kLogoLines> logoLines;
  bool grow = false;  // --logo may grow the ROM over free bytes past it
};

// What the command line or the page gave, each option's values in their
// order, not yet checked.
struct EditWords {
  std::string in, out;
  bool dryRun = false, removeLogo = false, grow = false;
  std::vector<std::string> string1, string2, date, registers, pll, fields, clock, vesa, refreshes, fonts, codePages,
      logo, logoLines;
};

// The plan, or the message for a usage error.
struct EditPlanParse {
  std::optional<EditPlan> plan;
  std::string error;
};
EditPlanParse parseEditPlan(const EditWords& words);

}  // namespace quarzel
