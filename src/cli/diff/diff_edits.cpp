// `quarzel-cli diff --as-edits`: the edits that carry B's items over to A
// as `quarzel-cli edit` arguments, one a line, each in the form
// --OPTION=VALUE with its text escaped so that the line stays one word in
// a shell: `$(...)`, `xargs -d '\n'` and `mapfile` all hand it on whole.
#include "cli/diff/diff_edits.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "analysis/registers/registers.h"
#include "cli/cli_support.h"
#include "describe/diff_items.h"
#include "describe/json.h"
#include "formats/text_escapes.h"
#include "describe/vesa_names.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

namespace fs = std::filesystem;

struct EditArgument {
  ItemRef item;
  std::string option, value;  // value: the text as the BIOS holds it
  std::string shellValue;     // value as the line writes it
  std::string line() const { return option + "=" + shellValue; }
};

EditArgument textArgument(const TextCarry& edit, const std::string& option, const std::string& prefix = {}) {
  return {edit.item, option, prefix + edit.text, prefix + escapeText(edit.text, kShellSpecial)};
}

const char* stringOption(DiffItem item) {
  return item == DiffItem::String1 ? "--string1" : item == DiffItem::String2 ? "--string2" : "--date";
}

void addRegister(std::vector<EditArgument>& arguments, const RegisterCarry& edit) {
  const ItemRef item{DiffItem::Register, edit.index};
  const std::string name = kRegisterNames[edit.index];
  if (edit.fields.empty()) {
    const std::string value = name + "=" + registerHexText(edit.value);
    arguments.push_back({item, "--register", value, value});
    return;
  }
  for (const RowNumber& field : edit.fields) {
    const std::string value = formatText(
        "%s:%s=%u", name.c_str(), bitRangeText(registerFieldsFor(edit.index)->fields[field.row]).c_str(), field.number);
    arguments.push_back({item, "--field", value, value});
  }
}

// B's base name without its extension, in characters every file system
// and shell takes as they are.
std::string fontFileStem(const std::string& pathB) {
  std::string stem = baseName(pathB);
  if (const auto dot = stem.rfind('.'); dot != std::string::npos && dot > 0) stem.resize(dot);
  for (char& c : stem)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') c = '_';
  return stem;
}

std::string refusalDetail(const NotCarried& refusal) {
  switch (refusal.item.item) {
    case DiffItem::ImageSize:
    case DiffItem::RomLength: return "edit keeps A's size and ROM length";
    case DiffItem::Rest: return "no edit writes the bytes that no item accounts for";
    case DiffItem::Pcir: return "no edit writes the PCI data structure";
    case DiffItem::Mode: return "only a standard refresh rate of a board mode is carried (--refresh)";
    case DiffItem::Logo: return "a logo is carried by edit --logo with its picture, or taken away by --remove-logo";
    default: return "no edit writes it";
  }
}

}  // namespace

std::string refusalText(const NotCarried& refusal) {
  switch (refusal.reason) {
    case CarryRefusal::NotInA: return "not found in A";
    case CarryRefusal::NotInB: return "not found in B, so there is nothing to carry";
    case CarryRefusal::TooLong:
      return formatText("B's text is %zu bytes, A's field holds %zu", refusal.textLength, refusal.fieldLength);
    case CarryRefusal::FontsLeftOut: return "give -d DIR to write B's font to a file for --font";
    case CarryRefusal::FollowsFonts:
      return "no edit writes a fix-up table; a font edit copies the font's glyphs into it";
    case CarryRefusal::FollowsRows: return "it differs in the Video Modes rows not carried";
    case CarryRefusal::NoEdit: return refusalDetail(refusal);
    case CarryRefusal::Checksum: return "edit sets it so that the ROM adds up to 0";
    case CarryRefusal::NoChecksumFix: return "A's ROM length byte (offset 2) is 0 or above 80h, so edit cannot save A";
    case CarryRefusal::StillDiffers: return "the edit leaves it different";
  }
  return {};
}

std::optional<std::string> unsafeFolder(const std::string& dir) {
  // A backslash, a Windows path's separator, never stands before the
  // option's end, where it would escape a closing quote.
  for (const char c : dir)
    if (static_cast<unsigned char>(c) < 0x20 || (c != '\\' && kShellSpecial.find(c) != std::string_view::npos))
      return "-d " + dir +
             ": the folder's path holds a blank, quote, wildcard or control character, which the "
             "printed --font option would not carry through a shell as one word";
  return std::nullopt;
}

namespace {

// Writes B's fonts into the folder and adds their --font options; false
// when a file cannot be written, which was reported.
bool addFonts(std::vector<EditArgument>& arguments, const EditsRequest& request, const CarryOver& edits) {
  if (edits.fonts.empty()) return true;
  std::error_code error;
  fs::create_directories(*request.fontFolder, error);
  if (error) {
    fail(*request.fontFolder + ": the folder cannot be made (" + error.message() + ")");
    return false;
  }
  for (const FontCarry& edit : edits.fonts) {
    const std::string name = fontFileStem(request.pathB) + "-" + fontSizeName(edit.size) + ".fnt";
    const std::string path = (fs::path(*request.fontFolder) / name).string();
    if (writeOrReport(path, edit.glyphs.data(), edit.glyphs.size()) != 0) return false;
    const std::string value = std::string(fontSizeName(edit.size)) + "=" + path;
    arguments.push_back({{DiffItem::Font, static_cast<std::size_t>(edit.size)}, "--font", value, value});
  }
  return true;
}

std::string editsJson(const std::vector<EditArgument>& arguments, const std::vector<NotCarried>& notCarried) {
  Json edits = Json::array(), refused = Json::array();
  for (const EditArgument& argument : arguments)
    edits.push_back({{"item", itemKey(argument.item)},
                     {"option", argument.option},
                     {"value", biosText(argument.value)},
                     {"argument", biosText(argument.line())}});
  for (const NotCarried& refusal : notCarried)
    refused.push_back({{"item", itemKey(refusal.item)}, {"reason", biosText(refusalText(refusal))}});
  return jsonText({{"edits", edits}, {"notCarried", refused}});
}

// One line each; the rows of the video modes, which no edit writes, make
// one line together.
void printNotCarried(const std::vector<NotCarried>& notCarried) {
  const auto modeRows = std::ranges::count(notCarried, DiffItem::Mode, [](const NotCarried& r) { return r.item.item; });
  bool modesShown = false;
  for (const NotCarried& refusal : notCarried) {
    if (refusal.item.item != DiffItem::Mode)
      std::fprintf(stderr, "quarzel-cli: not carried: %s: %s\n", itemName(refusal.item).c_str(),
                   refusalText(refusal).c_str());
    else if (!std::exchange(modesShown, true))
      std::fprintf(stderr, "quarzel-cli: not carried: Video Modes: %td row%s: %s\n", modeRows, modeRows == 1 ? "" : "s",
                   refusalText(refusal).c_str());
  }
}

}  // namespace

int printEdits(const EditsRequest& request, const CarryOver& edits) {
  std::vector<EditArgument> arguments;
  for (const TextCarry& edit : edits.strings) arguments.push_back(textArgument(edit, stringOption(edit.item.item)));
  for (const RegisterCarry& edit : edits.registers) addRegister(arguments, edit);
  for (const TextCarry& edit : edits.vesa)
    arguments.push_back(textArgument(edit, "--vesa", std::string(kVesaNames[edit.item.index].option) + "="));
  for (const RefreshCarry& edit : edits.refreshes) {
    const std::string value = refreshText(edit.setting);
    arguments.push_back({edit.item, "--refresh", value, value});
  }
  if (!addFonts(arguments, request, edits)) return 2;

  if (request.json) {
    print(editsJson(arguments, edits.notCarried));
    return 0;
  }
  std::string lines;
  for (const EditArgument& argument : arguments) lines += argument.line() + "\n";
  print(lines);
  std::fflush(stdout);  // the list first, also through pipes
  printNotCarried(edits.notCarried);
  return 0;
}

}  // namespace quarzel::cli
