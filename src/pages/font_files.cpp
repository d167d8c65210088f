#include "pages/font_files.h"

#include <algorithm>
#include <cctype>

#include "analysis/font_edits.h"
#include "formats/code_page_file.h"
#include "formats/file_io.h"
#include "formats/text_format.h"
#include "pages/select_font_dialog.h"
#include "ui/app_state.h"

namespace quarzel::app {

namespace {

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

FileResult loadFont(const std::string& path, FontSize size) {
  AppState& s = state();
  // One byte over the largest font is enough to tell a wrong length.
  const FileRead file = readWholeFile(path, fontTableBytes(Font8x16) + 1);
  if (!file.bytes) return FileResult::Error;
  return quarzel::loadFontFile(s.BiosImage, s.Layout, size, *file.bytes).ok() ? FileResult::Done : FileResult::Error;
}

FileResult loadCodePage(const ChosenFile& chosen) {
  AppState& s = state();
  const FileRead file = readWholeFile(chosen.path, kCodePageFileLimit);
  if (!file.bytes) return FileResult::Error;
  CodePageParse parsed = parseCodePageFile(*file.bytes);
  s.CodePageFile = std::move(parsed.file);
  if (!s.CodePageFile) return FileResult::Error;
  runSelectFontDialog(formatText("Select Font [%s]", chosen.title.c_str()));
  syncFixupTables(s.BiosImage, s.Layout);
  return FileResult::Done;
}

}  // namespace

FileResult loadFontFile(FontSize size) {
  const auto chosen = platform().openFile(loadDialog(), state().fontLoadPath);
  if (!chosen) return FileResult::Cancelled;
  state().fontLoadPath = chosen->path;
  switch (kindOf(chosen->title)) {
    case FontFileKind::Font: return loadFont(chosen->path, size);
    case FontFileKind::CodePage: return loadCodePage(*chosen);
    case FontFileKind::Other: return FileResult::Error;
  }
  return FileResult::Error;
}

FileResult saveFontFile(FontSize size) {
  AppState& s = state();
  const auto table = fontFileBytes(s.BiosImage, s.Layout, size);
  if (!table) return FileResult::Error;
  const auto chosen = platform().saveFile(saveDialog(), s.fontSavePath);
  if (!chosen) return FileResult::Cancelled;
  s.fontSavePath = chosen->path;
  return writeFileAtomically(chosen->path, *table).empty() ? FileResult::Done : FileResult::Error;
}

}  // namespace quarzel::app
