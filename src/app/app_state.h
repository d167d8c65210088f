// The program's process-wide state, under the names the whole program uses.
// Only the user-interface thread touches it; the dump's colouring worker
// gets its own copy of what it needs.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "analysis/bios_layout.h"
#include "formats/font_table.h"
#include "formats/image.h"

namespace quarzel::app {

inline constexpr int kPageCount = 8;

struct AppState {
  Image BiosImage;     // the working image; bytes past imageSize are zero
  Image BiosBackup;    // the committed copy the dump compares against
  BiosLayout Layout;   // BiosLayout: what the last analysis pass found
  // 1 once a BIOS is loaded, and the busy guard: 0 while code changes
  // controls or the image, so their notifications are not user edits.
  bool imageLoaded = false;
  bool dumpClean = true;

  std::string loadPath;   // the file last chosen in the open dialog
  std::string loadTitle;  // its name without the folder
  std::string savePath;   // the name last chosen in the save dialog

  HINSTANCE instance = nullptr;
  HWND MainWindow = nullptr;
  std::array<HWND, kPageCount> pageWindows{};
  int currentPage = 0;
  HFONT FixedFont = nullptr;
  FontSize currentFontSize = Font8x8;  // the font the Fonts page works on
  HDC fontsPageDC = nullptr;
  HDC logoPageDC = nullptr;
};

// The one instance; tests reset it between cases.
AppState& state();
void resetState();

}  // namespace quarzel::app
