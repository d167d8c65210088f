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

// Which part of an option's value is a text that takes \r, \n, \\ and
// \xHH for the bytes a shell cannot pass easily.
enum class EscapedPart { None, Whole, AfterEquals };

// An option of `edit` that makes an edit: a value each time it is given,
// or a flag.
struct EditOption {
  const char* name;
  const char* type;  // the value's shape in the help; none for a flag
  const char* what;
  std::vector<std::string> EditWords::*values = nullptr;
  bool EditWords::*flag = nullptr;
  EscapedPart escaped = EscapedPart::None;
};

// Every edit option, in the order the run makes its edits.
inline constexpr EditOption kEditOptions[] = {
    {"--string1", "TEXT", "boot-up string 1", &EditWords::string1, nullptr, EscapedPart::Whole},
    {"--string2", "TEXT", "boot-up string 2", &EditWords::string2, nullptr, EscapedPart::Whole},
    {"--date", "TEXT", "the BIOS date", &EditWords::date, nullptr, EscapedPart::Whole},
    {"--register", "NAME=TEXT", "a register's value in hexadecimal", &EditWords::registers},
    {"--pll", "K,M,N[,TEST]", "PLLCtrl1 from its dividers", &EditWords::pll},
    {"--field", "REGISTER:BITS=N", "a field of a register's bit-field dialog", &EditWords::fields},
    {"--clock", "MHZ", "the PLLCtrl1 N nearest to a clock, K and M kept", &EditWords::clock},
    {"--vesa", "FIELD=TEXT", "a VESA string: vendor-info, vendor-name, product-name, product-revision",
     &EditWords::vesa, nullptr, EscapedPart::AfterEquals},
    {"--refresh", "WIDTHxHEIGHT@HZ", "a standard refresh rate for a resolution", &EditWords::refreshes},
    {"--font", "SIZE=FILE.fnt", "load a font from a font file", &EditWords::fonts},
    {"--codepage", "FILE.cpi:CODEPAGE[:SIZES]", "load the fonts of a code page", &EditWords::codePages},
    {"--remove-logo", nullptr, "remove the logo, keeping the sign-on code", nullptr, &EditWords::removeLogo},
    {"--logo", "FILE.bmp", "install a logo picture", &EditWords::logo},
    {"--logo-line", "N=TEXT", "with --logo: text line N (1-5) under the picture", &EditWords::logoLines, nullptr,
     EscapedPart::AfterEquals},
    {"--grow", nullptr, "with --logo: let the ROM grow over the free bytes past it", nullptr, &EditWords::grow},
};

// The plan, or the message for a usage error.
struct EditPlanParse {
  std::optional<EditPlan> plan;
  std::string error;
};
EditPlanParse parseEditPlan(const EditWords& words);

}  // namespace quarzel
