// Drives the real main window and pages inside the test process: the
// platform seam answers file dialogs and records message boxes and modal
// runs, and the tests send the messages a user's actions would send.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/app_state.h"
#include "ui/platform.h"

namespace quarzel::test {

using enum app::Tab;

// Drives one modal dialog, which the platform has created for real from its
// template with its own procedure, and ends it (with OK, Cancel, ...).
using DialogScript = std::function<void(HWND dialog)>;

class ScriptedPlatform final : public app::Platform {
 public:
  std::deque<std::optional<app::ChosenFile>> openAnswers, saveAnswers;
  std::deque<DialogScript> dialogScripts;  // one per modal run, in order
  std::vector<std::string> messages;       // "CAPTION: text" of every box shown
  std::deque<int> messageAnswers;          // the buttons pressed, in order; then OK
  std::vector<int> modalRuns;              // dialogs run modally
  std::vector<std::string> dialogTitles;
  std::vector<app::FileDialog> fileDialogs;  // every file dialog asked for
  std::vector<std::string> startPaths;       // the name each one started with

  std::optional<app::ChosenFile> openFile(const app::FileDialog& dialog, const std::string& path) override;
  std::optional<app::ChosenFile> saveFile(const app::FileDialog& dialog, const std::string& path) override;
  int messageBox(HWND owner, const char* text, const char* caption, UINT type) override;
  INT_PTR runModal(const app::DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM parameter) override;
};

// The patterns a file dialog offers, in order.
std::vector<std::string> filterPatterns(const app::FileDialog& dialog);

// A temporary folder for one test's files.
std::string tempPath(const std::string& name);
void writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);
// The built-in sample ROM as bytes.
std::string sampleRom();

class GuiTest : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  static app::AppState& s() { return app::state(); }
  static HWND page(app::Tab tab) { return app::pageWindow(tab); }
  static void command(int id);
  // Clicks the button as the mouse does.
  static void click(HWND dialog, int id);
  // Types the text into the control as keystrokes, after selecting all of it
  // (an empty text deletes it); a disabled control takes none.
  static void type(HWND dialog, int id, const std::string& text);
  static std::string text(HWND dialog, int id);
  static std::wstring wideText(HWND dialog, int id);
  static bool enabled(HWND dialog, int id);
  // Loads `bytes` through Load BIOS, answering the open dialog with a file.
  void load(const std::string& bytes, const std::string& name = "test.rom");
  // Clicks `button` on `dialog`, which opens a modal dialog that `script`
  // drives and ends.
  void runDialog(HWND dialog, int button, DialogScript script);
  // The path of a new temporary file holding `bytes`.
  static std::string fileWith(const std::string& bytes, const std::string& name);
  // The colour of listing character `position`.
  static COLORREF dumpColour(int position);

  ScriptedPlatform platform;
};

}  // namespace quarzel::test
