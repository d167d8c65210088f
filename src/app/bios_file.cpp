#include "app/bios_file.h"

#include "ui/app_state.h"
#include "ui/platform.h"
#include "formats/file_io.h"
#include "formats/text_format.h"

namespace quarzel::app {

namespace {

FileDialog saveDialog() {
  FileDialog dialog{state().MainWindow, "Save BIOS", biosFileFilters()};
  dialog.defaultExtension = "rom";  // a name typed without one gets ".rom"
  dialog.confirmOverwrite = true;
  return dialog;
}

// The window works on this file from now on: the title names it, and
// Reload BIOS reads it.
void takeFile(const ChosenFile& file) {
  AppState& s = state();
  s.loadPath = file.path;
  s.loadTitle = file.title;
  SetWindowTextA(s.MainWindow, formatText("quarzel [%s]", file.title.c_str()).c_str());
}

}  // namespace

FileOutcome loadBios(bool reload) {
  if (reload) return loadBiosFile({state().loadPath, state().loadTitle});
  const auto chosen = platform().openFile(openBiosDialog(), state().loadPath);
  if (!chosen) return FileOutcome::cancelled();
  return loadBiosFile(*chosen);
}

FileOutcome loadBiosFile(const ChosenFile& file) {
  AppState& s = state();
  const ImageFile read = readImageFile(file.path);
  if (!read.image) return FileOutcome::failed(file.title, read.error);
  s.BiosImage = *read.image;
  s.BiosBackup = *read.image;
  s.SavedImage = *read.image;
  takeFile(file);
  return {};
}

FileOutcome saveBios() {
  AppState& s = state();
  // The dialog starts at the window's file, in its folder, with its name.
  const auto chosen = platform().saveFile(saveDialog(), s.loadPath);
  if (!chosen) return FileOutcome::cancelled();
  const std::string error = writeFileAtomically(chosen->path, {s.BiosImage.bytes.data(), s.BiosImage.size});
  if (!error.empty()) return FileOutcome::failed(chosen->title, error);
  s.SavedImage = s.BiosImage;
  takeFile(*chosen);
  return {};
}

}  // namespace quarzel::app
