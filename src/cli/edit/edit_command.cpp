// edit: the page edits of the desktop program in one batch, then the
// checksum fix of Save BIOS As..., written atomically.
#include <memory>

#include <CLI/CLI.hpp>

#include "analysis/analysis_pass.h"
#include "analysis/fonts/font_edits.h"
#include "analysis/logo/logo_edit.h"
#include "analysis/registers/pll_search.h"
#include "analysis/modes/refresh_edit.h"
#include "analysis/registers/register_edits.h"
#include "analysis/registers/registers.h"
#include "analysis/strings/string_edits.h"
#include "analysis/pci_vesa/vesa_edits.h"
#include "cli/cli_support.h"
#include "cli/code_page_input.h"
#include "cli/commands.h"
#include "cli/edit/edit_plan.h"
#include "cli/vesa_names.h"
#include "formats/file_io.h"
#include "formats/font_file.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

bool refuse(const std::string& message) {
  fail(message);
  return false;
}

// The image being edited and what has been written so far, for --dry-run.
class Session {
 public:
  Session(Image image, const std::string& in) : image_(std::move(image)), in_(in) { AnalysisPass(image_, layout_); }

  Image& image() { return image_; }
  BiosLayout& layout() { return layout_; }
  const std::string& in() const { return in_; }

  // Records a successful edit; prints the reason of a failed one.
  bool record(const std::string& what, const EditResult& result) {
    if (!result.ok()) {
      return refuse(in_ + ": " + what + ": " + describe(*result.error));
    }
    for (const ByteRange& range : result.written)
      if (range.length > 0)
        report_ += formatText("%04zX-%04zX  %5zu byte%s  %s\n", range.offset, range.offset + range.length - 1,
                              range.length, range.length == 1 ? " " : "s", what.c_str());
    return true;
  }
  const std::string& report() const { return report_; }
  // Lines for the user once every edit was made: on stderr, so that stdout
  // stays empty, or the --dry-run list, for scripts.
  void note(const std::string& line) { notes_ += line + "\n"; }
  const std::string& notes() const { return notes_; }

 private:
  Image image_;
  BiosLayout layout_;
  std::string in_;
  std::string report_;
  std::string notes_;
};

// The fields of one register combine into one value, rebuilt as the
// register's dialog rebuilds it on OK from the value the edits before left.
bool applyFieldEdits(Session& s, const EditPlan& plan) {
  for (std::size_t index = 0; index < kRegisterCount; ++index) {
    std::vector<RowNumber> changes;
    for (const FieldEdit& f : plan.fields)
      if (f.registerIndex == index) changes.push_back(f.field);
    if (changes.empty()) continue;
    const std::uint32_t value = valueWithFields(*registerFieldsFor(index), s.layout().registerTable[index].value, changes);
    if (!s.record(std::string("--field ") + kRegisterNames[index], applyRegisterValue(s.image(), s.layout(), index, value)))
      return false;
  }
  return true;
}

// The nearest N for the clock, with K, M and the test bit of PLLCtrl1 kept.
bool applyClock(Session& s, const EditPlan& plan) {
  if (!plan.clock) return true;
  const PllDividers kept = pllDividers(s.layout().registerTable[PLLCtrl1].value);
  const PllSetting chosen = nearestPllSetting(kept.k, kept.m, kept.test, *plan.clock);
  if (!s.record("--clock PLLCtrl1", applyRegisterValue(s.image(), s.layout(), PLLCtrl1, chosen.value))) return false;
  s.note("PLLCtrl1 " + registerHexText(chosen.value) + ": " + frequencyText(chosen.megahertz));
  if (pastNRange(chosen, *plan.clock))
    s.note(formatText("quarzel-cli: warning: with K %u and M %u no N comes nearer to %s; quarzel-cli pll lists other "
                      "dividers", kept.k, kept.m, frequencyText(*plan.clock).c_str()));
  return true;
}

bool applyBootStringEdit(Session& s, const char* option, const BootString& string, const std::string& text) {
  if (!s.record(option, applyBootString(s.image(), string, text))) return false;
  if (!string.printed)
    s.note(formatText("quarzel-cli: warning: %s: %s", option, kNotPrintedNote));
  return true;
}

bool applyTexts(Session& s, const EditPlan& plan) {
  if (plan.string1 && !applyBootStringEdit(s, "--string1", s.layout().bootString1, *plan.string1)) return false;
  if (plan.string2 && !applyBootStringEdit(s, "--string2", s.layout().bootString2, *plan.string2)) return false;
  if (plan.date && !s.record("--date", applyBiosDate(s.image(), s.layout().biosDate, *plan.date))) return false;
  for (const RegisterText& r : plan.registers)
    if (!s.record(std::string("--register ") + kRegisterNames[r.index],
                  applyRegisterText(s.image(), s.layout(), r.index, r.text)))
      return false;
  if (plan.pll && !s.record("--pll", applyRegisterValue(s.image(), s.layout(), PLLCtrl1, *plan.pll))) return false;
  if (!applyFieldEdits(s, plan) || !applyClock(s, plan)) return false;
  for (const VesaText& v : plan.vesa)
    if (!s.record(std::string("--vesa ") + kVesaNames[v.field].option,
                  applyVesaString(s.image(), s.layout().vesa[v.field], v.text)))
      return false;
  for (const RefreshSetting& r : plan.refreshes)
    if (!s.record("--refresh " + refreshText(r), applyRefresh(s.image(), s.layout(), r.resolution, r.refresh)))
      return false;
  return true;
}

bool applyFonts(Session& s, const EditPlan& plan) {
  for (const FontFileEdit& f : plan.fonts) {
    // One byte over the largest font file is enough to tell a wrong length.
    const FileRead file = readWholeFile(f.path, fontTableBytes(Font8x16) + 1);
    if (!file.bytes) return refuse(f.path + ": " + file.error);
    if (!s.record(std::string("--font ") + fontSizeName(f.size), loadFontFile(s.image(), s.layout(), f.size, *file.bytes)))
      return false;
  }
  for (const CodePageEdit& c : plan.codePages) {
    const auto file = readCodePageFileOrReport(c.path);
    if (!file) return false;
    const std::string what = formatText("--codepage %u", c.codePage);
    const FontSizeSet sizes = c.sizes.value_or(FontSizeSet{true, true, true});
    if (const auto refusal = codePageImportRefusal(s.image(), s.layout(), *file, c.codePage, sizes)) {
      const std::string size = fontSizeName(refusal->size);
      switch (refusal->kind) {
        case CodePageRefusal::NoCodePage: return refuse(missingCodePage(c.path, c.codePage));
        case CodePageRefusal::NoFontInFile:
          return refuse(c.path + ": code page " + std::to_string(c.codePage) + " holds no " + size + " font");
        case CodePageRefusal::FontNotLocated: return refuse(s.in() + ": the " + size + " font is not found in this BIOS");
      }
    }
    if (!s.record(what, copyCodePageFonts(s.image(), s.layout(), *file, c.codePage, sizes))) return false;
    if (!s.record(what + " fix-ups", syncFixupTables(s.image(), s.layout()))) return false;
  }
  return true;
}

// The logo's edits follow the pass over the image as the edits before them
// left it: the sign-on code and any logo are found anew.
bool applyLogoEdits(Session& s, const EditPlan& plan) {
  if (!plan.removeLogo && !plan.logo) return true;
  AnalysisPass(s.image(), s.layout());
  if (plan.removeLogo) {
    if (!s.record("--remove-logo", removeLogo(s.image(), s.layout()))) return false;
    AnalysisPass(s.image(), s.layout());
  }
  if (!plan.logo) return true;
  const LogoFileRead file = readLogoFile(*plan.logo);
  if (!file.picture)
    return refuse(*plan.logo + ": " + (file.error ? describe(*file.error) : file.fileError.c_str()));
  const EditResult result =
      applyLogo(s.image(), s.layout(), *file.picture, logoLinesWith(s.layout(), plan.logoLines), plan.grow);
  if (result.error == EditError::NoFreeRun || result.error == EditError::LogoNeedsGrowth) {
    const std::string grow = result.error == EditError::LogoNeedsGrowth ? " (--grow lets it)" : "";
    return refuse(s.in() + ": --logo: " + describe(*result.error) + grow + ": " +
                  logoRoomText(logoRoom(s.image(), s.layout(), *file.picture)));
  }
  if (const std::string merged = mergedColoursText(*file.picture); !merged.empty() && result.ok())
    s.note("quarzel-cli: " + *plan.logo + ": " + merged);
  return s.record("--logo", result);
}

int edit(const EditPlan& plan) {
  auto image = readImageOrReport(plan.in);
  if (!image) return 1;
  Session session(std::move(*image), plan.in);
  if (!applyTexts(session, plan) || !applyFonts(session, plan) || !applyLogoEdits(session, plan)) return 1;
  Image& edited = session.image();
  const auto covered = fixChecksum(edited);
  if (!covered)
    return fail(plan.in + ": the ROM length byte (offset 2) is 0 or above 80h, so the checksum cannot be fixed");
  session.record("checksum", {{{*covered - 1, 1}}, std::nullopt});
  if (*covered > edited.size)
    std::fprintf(stderr, "quarzel-cli: warning: the checksum byte at %04zX lies past the end of the %zu-byte file\n",
                 *covered - 1, edited.size);
  if (plan.dryRun) {
    print(session.report());
  } else if (const int status = writeOrReport(*plan.out, edited.bytes.data(), edited.size); status != 0) {
    return status;
  }
  std::fflush(stdout);  // the notes follow the --dry-run list, also through pipes
  std::fputs(session.notes().c_str(), stderr);
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
