#include "pages/font_files.h"

#include <algorithm>
#include <cctype>

#include "analysis/fonts/font_edits.h"
#include "formats/code_page_file.h"
#include "formats/file_io.h"
#include "formats/text_format.h"
#include "pages/select_font_dialog.h"
#include "ui/app_state.h"

namespace quarzel::app {

namespace {

// The files last chosen in the Load FONT and Save FONT dialogs.
std::string loadPath, savePath;

enum class FontFileKind { Font, CodePage, Other };

// Only the last dot of the name counts, and only a three-letter extension.
FontFileKind kindOf(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.size() - dot - 1 != 3) return FontFileKind::Other;
  std::string extension = name.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "fnt") return FontFileKind::Font;
  if (extension == "cpi") return FontFileKind::CodePage;
  return FontFileKind::Other;
}

FileDialog loadDialog() {
  return {state().MainWindow, "Load FONT", {{"font file (*.fnt;*.cpi)", "*.fnt;*.cpi"}}};
}

FileDialog saveDialog() {
  FileDialog dialog{state().MainWindow, "Save FONT", {{"font file (*.fnt)", "*.fnt"}}};
  dialog.defaultExtension = "fnt";
  dialog.confirmOverwrite = true;
  return dialog;
}

// A font the BIOS lacks is named as the page names it.
std::string fontName(FontSize size) { return formatText("Font 8x%zu", fontHeight(size)); }

FileOutcome loadFont(const ChosenFile& chosen, FontSize size) {
  AppState& s = state();
  // A larger file is no font; a shorter one of the wrong length is told by
  // the font load itself.
  const FileRead file = readWholeFile(chosen.path, fontTableBytes(Font8x16));
  if (!file.bytes) return FileOutcome::failed(chosen.title, file.error);
  const EditResult loaded = quarzel::loadFontFile(s.BiosImage, s.Layout, size, *file.bytes);
  if (loaded.ok()) return {};
  const bool aboutTheBios = *loaded.error == EditError::NotLocated || *loaded.error == EditError::PastImageEnd;
  return FileOutcome::failed(aboutTheBios ? fontName(size) : chosen.title, describe(*loaded.error));
}

FileOutcome loadCodePage(const ChosenFile& chosen) {
  AppState& s = state();
  const FileRead file = readWholeFile(chosen.path, kCodePageFileLimit);
  if (!file.bytes) return FileOutcome::failed(chosen.title, file.error);
  const CodePageParse parsed = parseCodePageFile(*file.bytes);
  if (!parsed.file) return FileOutcome::failed(chosen.title, describe(*parsed.error));
  runSelectFontDialog(formatText("Select Font [%s]", chosen.title.c_str()), *parsed.file);
  // A BIOS without fix-up tables has nothing to sync; the page is silent
  // about it, as about the fonts the code page did not hold.
  ignoreRefusal(syncFixupTables(s.BiosImage, s.Layout));
  return {};
}

}  // namespace

FileOutcome loadFontFile(FontSize size) {
  const auto chosen = platform().openFile(loadDialog(), dialogStart(loadPath, state().loadPath));
  if (!chosen) return FileOutcome::cancelled();
  loadPath = chosen->path;
  switch (kindOf(chosen->title)) {
    case FontFileKind::Font: return loadFont(*chosen, size);
    case FontFileKind::CodePage: return loadCodePage(*chosen);
    case FontFileKind::Other: break;
  }
  return FileOutcome::failed(chosen->title, "is neither a font file (.fnt) nor a code-page file (.cpi)");
}

FileOutcome saveFontFile(FontSize size) {
  AppState& s = state();
  const auto table = fontFileBytes(s.BiosImage, s.Layout, size);
  if (!table) return FileOutcome::failed(fontName(size), describe(EditError::NotLocated));
  const auto chosen = platform().saveFile(saveDialog(), dialogStart(savePath, state().loadPath));
  if (!chosen) return FileOutcome::cancelled();
  savePath = chosen->path;
  const std::string error = writeFileAtomically(chosen->path, *table);
  return error.empty() ? FileOutcome{} : FileOutcome::failed(chosen->title, error);
}

void forgetFontFilePaths() {
  loadPath.clear();
  savePath.clear();
}

}  // namespace quarzel::app
