// The program's process-wide state, under the names the whole program uses.
// Only the user-interface thread touches it; the dump's colouring worker
// gets its own copy of what it needs.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "formats/bmp_picture.h"
#include "formats/code_page_file.h"
#include "formats/dump_highlights.h"
#include "formats/font_table.h"
#include "formats/image.h"
#include "ui/monochrome_bitmap.h"
#include "ui/tabs.h"

namespace quarzel::app {

class Platform;
struct HighlightJob;  // the colouring worker's own record

// What the Dump page's listing control shows now, so that a rebuild can
// replace only the lines that changed and return exactly the coloured
// ranges to black.
struct ListingShown {
  std::string text;
  std::vector<Highlight> coloured;
};

struct AppState {
  Image BiosImage;     // the working image; bytes past imageSize are zero
  Image BiosBackup;    // the committed copy the dump compares against
  Image SavedImage;    // the bytes last loaded or saved: what the file holds
  BiosLayout Layout;   // BiosLayout: what the last analysis pass found
  // 1 once a BIOS is loaded, and the busy guard: 0 while code changes
  // controls or the image, so their notifications are not user edits.
  bool imageLoaded = false;
  bool dumpClean = true;

  // The file last loaded or saved: the title names it, Reload BIOS reads it
  // and the open dialog starts on it. loadTitle is its name without the folder.
  std::string loadPath;
  std::string loadTitle;
  std::string savePath;   // the name last chosen in the save dialog
  std::string handedFile;  // a file another copy handed over, loaded next

  // The second BIOS of the Registers page's comparison (its size is
  // compareSize); never edited, never saved.
  Image CompareImage;
  bool compareLoaded = false;  // set by the first good comparison, never cleared
  std::string comparePath;     // the file last chosen in the comparison's open dialog
  std::uint32_t workingValue = 0;  // the open register dialog's value

  HINSTANCE instance = nullptr;
  HWND MainWindow = nullptr;
  std::array<HWND, kPageCount> pageWindows{};
  int currentPage = 0;
  HFONT FixedFont = nullptr;
  FontSize currentFontSize = Font8x8;  // the font the Fonts page works on
  HDC fontsPageDC = nullptr;
  HDC logoPageDC = nullptr;
  MonochromeBitmap GlyphSheet;  // the Fonts page's sheet of 256 glyphs
  std::string fontLoadPath;     // the file last chosen in the Load FONT dialog
  std::string fontSavePath;     // and in the Save FONT dialog

  // Select Font: the code-page file it imports from, kept until the next
  // one is opened; the code page its preview draws, which Apply copies.
  std::optional<quarzel::CodePageFile> CodePageFile;
  std::uint16_t shownCodePage = 0;
  MonochromeBitmap CodePagePreview;
  HDC selectFontDC = nullptr;  // the dialog's context the preview is drawn through

  // The Logo page's picture, kept across BIOS loads, and its bitmap as the
  // page paints it; replaced only by a load that succeeds whole.
  std::optional<quarzel::LogoPicture> LogoPicture;
  HBITMAP logoBitmap = nullptr;
  std::string logoLoadPath;  // the file last chosen in the Load BMP dialog

  ListingShown dumpShown;
  HANDLE highlightThread = nullptr;          // the running HighlightWorker
  std::shared_ptr<HighlightJob> highlightJob;  // what it works on

  Platform* platform = nullptr;  // null: the real one
};

// The busy guard: while one lives, imageLoaded is 0, so the notifications
// of controls that code changes are not taken for the user's edits. The
// previous value comes back on every way out of the scope.
class BusyGuard {
 public:
  BusyGuard();
  ~BusyGuard();
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  bool previous_;
};

// The one instance; tests reset it between cases.
AppState& state();
void resetState();

}  // namespace quarzel::app
