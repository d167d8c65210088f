#include "app/bios_file.h"

#include "ui/app_state.h"
#include "ui/platform.h"
#include "formats/file_io.h"
#include "formats/text_format.h"

namespace quarzel::app {

namespace {

FileDialog saveDialog() {
  FileDialog dialog{state().MainWindow, "Save BIOS", {{"BIOS file (*.rom)", "*.rom"}}};
  dialog.defaultExtension = "rom";  // a name typed without one gets ".rom"
  dialog.confirmOverwrite = true;
  return dialog;
}

void showFileInTitle(const std::string& title) {
  SetWindowTextA(state().MainWindow, formatText("quarzel [%s]", title.c_str()).c_str());
}

}  // namespace

FileResult loadBios(bool reload) {
  AppState& s = state();
  if (!reload) {
    const auto chosen = platform().openFile(openBiosDialog(), s.loadPath);
    if (!chosen) return FileResult::Cancelled;
    s.loadPath = chosen->path;
    s.loadTitle = chosen->title;
  }
  const ImageFile file = readImageFile(s.loadPath);
  if (!file.image) return FileResult::Error;
  s.BiosImage = *file.image;
  s.BiosBackup = *file.image;
  showFileInTitle(s.loadTitle);
  return FileResult::Done;
}

FileResult saveBios() {
  AppState& s = state();
  const auto chosen = platform().saveFile(saveDialog(), s.savePath);
  if (!chosen) return FileResult::Cancelled;
  s.savePath = chosen->path;
  const std::string error = writeFileAtomically(s.savePath, {s.BiosImage.bytes.data(), s.BiosImage.size});
  if (!error.empty()) return FileResult::Error;
  // The saved file is the one the window now works on: the title names it,
  // and Reload BIOS reads it.
  s.loadPath = chosen->path;
  s.loadTitle = chosen->title;
  showFileInTitle(s.loadTitle);
  return FileResult::Done;
}

}  // namespace quarzel::app
