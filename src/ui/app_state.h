// The program's process-wide state: the document (the image, what the
// analysis found in it, its files) and the shell around it. What a single
// page alone keeps lives in that page's own file. Only the user-interface
// thread touches it; the dump's colouring worker gets its own copy of what
// it needs.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "analysis/bios_layout.h"
#include "formats/image.h"
#include "ui/tabs.h"

namespace quarzel::app {

class Platform;

struct AppState {
  Image BiosImage;     // the working image; bytes past imageSize are zero
  Image BiosBackup;    // the committed copy the dump compares against
  Image SavedImage;    // the bytes last loaded or saved: what the file holds
  BiosLayout Layout;   // BiosLayout: what the last analysis pass found
  bool imageLoaded = false;  // a BIOS is loaded: the pages' commands have an image to work on
  // Set by the busy guard while code changes controls or the image, so
  // their notifications are not taken for the user's edits.
  bool busy = false;

  // The file last loaded or saved: the title names it, Reload BIOS reads it
  // and the open and save dialogs start on it. loadTitle is its name without
  // the folder.
  std::string loadPath;
  std::string loadTitle;
  std::string handedFile;  // a file another copy handed over, loaded next

  HINSTANCE instance = nullptr;
  HWND MainWindow = nullptr;
  std::array<HWND, kPageCount> pageWindows{};
  int currentPage = 0;
  HFONT FixedFont = nullptr;

  Platform* platform = nullptr;  // null: the real one
};

// The busy guard: while one lives, `busy` is set. The previous value comes
// back on every way out of the scope, so guards nest.
class BusyGuard {
 public:
  BusyGuard();
  ~BusyGuard();
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  bool previous_;
};

// A control's notification comes from the user's own edit: a BIOS is
// loaded and no code is changing the controls.
bool userEdit();

// The one instance; tests reset it between cases. Each page's own state
// starts afresh when the page is made.
AppState& state();
void resetState();

}  // namespace quarzel::app
