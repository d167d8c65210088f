#include "ui/platform.h"

#include <commdlg.h>

#include <vector>

#include "ui/app_state.h"

namespace quarzel::app {

namespace {

// The common dialogs take the filters as "name\0pattern\0...\0\0".
std::string filterString(const std::vector<FileFilter>& filters) {
  std::string text;
  for (const FileFilter& filter : filters) {
    text += filter.name;
    text += '\0';
    text += filter.pattern;
    text += '\0';
  }
  return text + '\0';
}

// A path that ends in a separator is a folder to start in, with no name.
std::optional<ChosenFile> runFileDialog(const FileDialog& dialog, const std::string& path, bool save) {
  const bool folder = !path.empty() && (path.back() == '\\' || path.back() == '/');
  char file[MAX_PATH] = {};
  if (!folder) path.copy(file, MAX_PATH - 1);
  char title[512] = {};
  const std::string filters = filterString(dialog.filters);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dialog.owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = folder ? path.c_str() : nullptr;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = sizeof title;
  ofn.lpstrTitle = dialog.title;
  ofn.lpstrDefExt = dialog.defaultExtension;
  ofn.Flags = OFN_HIDEREADONLY | (dialog.confirmOverwrite ? OFN_OVERWRITEPROMPT : 0);
  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) return std::nullopt;
  return ChosenFile{file, title};
}

class RealPlatform final : public Platform {
 public:
  std::optional<ChosenFile> openFile(const FileDialog& dialog, const std::string& path) override {
    return runFileDialog(dialog, path, false);
  }
  std::optional<ChosenFile> saveFile(const FileDialog& dialog, const std::string& path) override {
    return runFileDialog(dialog, path, true);
  }
  int messageBox(HWND owner, const char* text, const char* caption, UINT type) override {
    return MessageBoxA(owner, text, caption, type);
  }
  INT_PTR runModal(const DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM parameter) override {
    return runDialog(dialog, owner, procedure, parameter);
  }
};

}  // namespace

INT_PTR runDialog(const DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM parameter) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (dialog.memory) return DialogBoxIndirectParamW(module, dialog.memory, owner, procedure, parameter);
  return DialogBoxParamW(module, MAKEINTRESOURCEW(dialog.id), owner, procedure, parameter);
}

Platform& platform() {
  // Stateless, so one for the whole process.
  static RealPlatform real;
  return state().platform ? *state().platform : real;
}

void setPlatform(Platform* replacement) { state().platform = replacement; }

std::vector<FileFilter> biosFileFilters() {
  return {{"BIOS file (*.rom;*.bin;*.vbi)", "*.rom;*.bin;*.vbi"}, {"All files (*.*)", "*.*"}};
}

FileDialog openBiosDialog(const char* title) { return {state().MainWindow, title, biosFileFilters()}; }

void showError(HWND owner, const char* text) { platform().messageBox(owner, text, "ERROR", MB_OK | MB_ICONERROR); }

void showError(HWND owner, const char* text, const std::string& reason) {
  showError(owner, reason.empty() ? text : (std::string(text) + "\n" + reason).c_str());
}

std::string dialogStart(const std::string& lastChosen, const std::string& biosPath) {
  if (!lastChosen.empty()) return lastChosen;
  const std::size_t slash = biosPath.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : biosPath.substr(0, slash + 1);
}

}  // namespace quarzel::app
