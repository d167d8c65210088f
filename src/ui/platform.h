// The program's seam to the few platform calls that wait for a person: file
// dialogs, message boxes and modal dialog runs. The program uses the real
// ones; GUI tests install a scripted platform that answers instead.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quarzel::app {

// What an operation on a file the user chose came to.
enum class FileResult { Done, Error, Cancelled };

// The same, with the reason of an error in the core's words after the name
// it concerns: "big.rom: is larger than 65536 bytes".
struct FileOutcome {
  FileResult result = FileResult::Done;
  std::string reason;

  static FileOutcome cancelled() { return {FileResult::Cancelled, {}}; }
  static FileOutcome failed(const std::string& name, const std::string& why) {
    return {FileResult::Error, name + ": " + why};
  }
};

struct FileFilter {
  const char* name;     // "BIOS file (*.rom;*.bin)"
  const char* pattern;  // "*.rom;*.bin"
};

struct FileDialog {
  HWND owner = nullptr;
  const char* title = "";
  std::vector<FileFilter> filters;
  const char* defaultExtension = nullptr;  // added to a name typed without one
  bool confirmOverwrite = false;
};

// What the user chose: the full path and the name without its folder, both
// in the ANSI code page.
struct ChosenFile {
  std::string path;
  std::string title;
};

// A modal dialog's template: a resource of the program, or one the program
// built in memory (the register dialogs, made from their field tables).
struct DialogTemplate {
  int id;                               // the dialog's number
  const DLGTEMPLATE* memory = nullptr;  // null: the resource `id`
};

// Where a file dialog starts: the file last chosen in it; before any, the
// folder of the BIOS file, with no name, so that fonts and pictures are
// looked for beside the ROM rather than in the program's folder.
std::string dialogStart(const std::string& lastChosen, const std::string& biosPath);

class Platform {
 public:
  virtual ~Platform() = default;
  // `path` is the dialog's starting name; empty result: cancelled.
  virtual std::optional<ChosenFile> openFile(const FileDialog& dialog, const std::string& path) = 0;
  virtual std::optional<ChosenFile> saveFile(const FileDialog& dialog, const std::string& path) = 0;
  virtual int messageBox(HWND owner, const char* text, const char* caption, UINT type) = 0;
  // Creates the dialog with its procedure and runs it until it ends; the
  // result is what the procedure passed to EndDialog.
  virtual INT_PTR runModal(const DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM parameter) = 0;
};

// The system's modal run, which the real platform uses; a scripted platform
// may use it too, to run the real dialog while it drives it.
INT_PTR runDialog(const DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM parameter);

Platform& platform();
// Installs another platform (tests); nullptr returns to the real one.
void setPlatform(Platform* replacement);

// What the BIOS file dialogs offer: the BIOS files, then all files.
std::vector<FileFilter> biosFileFilters();

// An open dialog for a BIOS, owned by the main window: "Load BIOS", or the
// comparison BIOS's own title.
FileDialog openBiosDialog(const char* title = "Load BIOS");

// "ERROR" with the error icon, owned by `owner`: the program's own short
// text ("BIOS loading error!!!"), and the reason on a line of its own when
// there is one.
void showError(HWND owner, const char* text);
void showError(HWND owner, const char* text, const std::string& reason);

}  // namespace quarzel::app
