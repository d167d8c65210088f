#include "edits/edit_run.h"

#include <utility>

#include "analysis/analysis_pass.h"
#include "analysis/fonts/font_edits.h"
#include "analysis/logo/logo_edit.h"
#include "analysis/modes/refresh_edit.h"
#include "analysis/pci_vesa/vesa_edits.h"
#include "analysis/registers/pll_search.h"
#include "analysis/registers/register_edits.h"
#include "analysis/registers/registers.h"
#include "analysis/strings/string_edits.h"
#include "describe/names.h"
#include "describe/vesa_names.h"
#include "formats/bmp_picture.h"
#include "formats/font_file.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

// The image being edited, with its layout, and the run's answer so far.
class Session {
 public:
  Session(Image image, const EditPlan& plan, const FileSource& source) : files(source), in_(plan.in) {
    run_.image = std::move(image);
    AnalysisPass(run_.image, layout_);
  }

  const FileSource& files;
  Image& image() { return run_.image; }
  BiosLayout& layout() { return layout_; }
  const std::string& in() const { return in_; }

  bool refuse(std::string message, std::optional<EditError> error = std::nullopt) {
    run_.refusal = std::move(message);
    run_.refusedFor = error;
    return false;
  }
  // Records a successful edit; a failed one refuses with its reason.
  bool record(const std::string& what, const EditResult& result) {
    if (!result.ok()) return refuse(in_ + ": " + what + ": " + describe(*result.error), result.error);
    for (const ByteRange& range : result.written)
      if (range.length > 0)
        run_.written += formatText("%04zX-%04zX  %5zu byte%s  %s\n", range.offset, range.offset + range.length - 1,
                                   range.length, range.length == 1 ? " " : "s", what.c_str());
    return true;
  }
  void note(EditNote::Kind kind, std::string text) { run_.notes.push_back({kind, std::move(text)}); }
  void noteAtOnce(EditNote note) { run_.checksumNote = std::move(note); }
  EditRun take() { return std::move(run_); }

 private:
  std::string in_;
  BiosLayout layout_;
  EditRun run_;
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
  s.note(EditNote::Kind::Plain, "PLLCtrl1 " + registerHexText(chosen.value) + ": " + frequencyText(chosen.megahertz));
  if (pastNRange(chosen, *plan.clock))
    s.note(EditNote::Kind::Warning,
           formatText("with K %u and M %u no N comes nearer to %s; quarzel-cli pll lists other dividers", kept.k, kept.m,
                      frequencyText(*plan.clock).c_str()));
  return true;
}

// A text longer than its field is cut to it, as the desktop's boxes stop
// typing there; the note keeps the cut from passing unseen.
void noteCut(Session& s, const std::string& option, std::size_t length, std::uint32_t maxLength) {
  if (length > maxLength)
    s.note(EditNote::Kind::Warning,
           formatText("%s: %zu characters, cut to the %u its field holds", option.c_str(), length, maxLength));
}

bool applyBootStringEdit(Session& s, const char* option, const BootString& string, const std::string& text) {
  if (!s.record(option, applyBootString(s.image(), string, text))) return false;
  noteCut(s, option, text.size(), string.maxLength);
  if (!string.printed) s.note(EditNote::Kind::Warning, formatText("%s: %s", option, kNotPrintedNote));
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
  for (const VesaText& v : plan.vesa) {
    const std::string option = std::string("--vesa ") + kVesaNames[v.field].option;
    if (!s.record(option, applyVesaString(s.image(), s.layout().vesa[v.field], v.text))) return false;
    noteCut(s, option, v.text.size(), s.layout().vesa[v.field].maxLength);
  }
  for (const RefreshSetting& r : plan.refreshes)
    if (!s.record("--refresh " + refreshText(r), applyRefresh(s.image(), s.layout(), r.resolution, r.refresh)))
      return false;
  return true;
}

bool applyFonts(Session& s, const EditPlan& plan) {
  for (const FontFileEdit& f : plan.fonts) {
    // One byte over the largest font file is enough to tell a wrong length.
    const FileRead file = s.files(f.path, fontTableBytes(Font8x16) + 1);
    if (!file.bytes) return s.refuse(f.path + ": " + file.error);
    if (!s.record(std::string("--font ") + fontSizeName(f.size), loadFontFile(s.image(), s.layout(), f.size, *file.bytes)))
      return false;
  }
  for (const CodePageEdit& c : plan.codePages) {
    const CodePageRead read = readCodePage(s.files, c.path);
    if (!read.file) return s.refuse(read.error);
    const CodePageFile& file = *read.file;
    const std::string what = formatText("--codepage %u", c.codePage);
    const FontSizeSet sizes = c.sizes.value_or(FontSizeSet{true, true, true});
    if (const auto refusal = codePageImportRefusal(s.image(), s.layout(), file, c.codePage, sizes)) {
      const std::string size = fontSizeName(refusal->size);
      switch (refusal->kind) {
        case CodePageRefusal::NoCodePage: return s.refuse(missingCodePage(c.path, c.codePage));
        case CodePageRefusal::NoFontInFile:
          return s.refuse(c.path + ": code page " + std::to_string(c.codePage) + " holds no " + size + " font");
        case CodePageRefusal::FontNotLocated: return s.refuse(s.in() + ": the " + size + " font is not found in this BIOS");
      }
    }
    if (!s.record(what, copyCodePageFonts(s.image(), s.layout(), file, c.codePage, sizes))) return false;
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
  const FileRead file = s.files(*plan.logo, kLogoFileLimit);
  if (!file.bytes) return s.refuse(*plan.logo + ": " + file.error);
  const BmpParse picture = readLogoPicture(*file.bytes);
  if (!picture.picture) return s.refuse(*plan.logo + ": " + describe(*picture.error));
  const EditResult result =
      applyLogo(s.image(), s.layout(), *picture.picture, logoLinesWith(s.layout(), plan.logoLines), plan.grow);
  if (result.error == EditError::NoFreeRun || result.error == EditError::LogoNeedsGrowth) {
    const std::string grow = result.error == EditError::LogoNeedsGrowth ? " (--grow lets it)" : "";
    return s.refuse(s.in() + ": --logo: " + describe(*result.error) + grow + ": " +
                        logoRoomText(logoRoom(s.image(), s.layout(), *picture.picture)),
                    result.error);
  }
  if (const std::string merged = mergedColoursText(*picture.picture); !merged.empty() && result.ok())
    s.note(EditNote::Kind::Remark, *plan.logo + ": " + merged);
  return s.record("--logo", result);
}

// The checksum fix of Save BIOS As...
bool fixTheChecksum(Session& s) {
  Image& edited = s.image();
  const auto covered = fixChecksum(edited);
  if (!covered)
    return s.refuse(s.in() + ": the ROM length byte (offset 2) is 0 or above 80h, so the checksum cannot be fixed");
  s.record("checksum", {{{*covered - 1, 1}}, std::nullopt});
  if (*covered > edited.size)
    s.noteAtOnce({EditNote::Kind::Warning, formatText("the checksum byte at %04zX lies past the end of the %zu-byte file",
                                                      *covered - 1, edited.size)});
  return true;
}

}  // namespace

EditRun runEdits(Image image, const EditPlan& plan, const FileSource& files) {
  Session session(std::move(image), plan, files);
  if (applyTexts(session, plan) && applyFonts(session, plan) && applyLogoEdits(session, plan)) fixTheChecksum(session);
  return session.take();
}

}  // namespace quarzel
