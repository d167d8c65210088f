#include "gui_fixture.h"

#include <richedit.h>

#include <fstream>
#include <sstream>

#include "analysis/sample_image.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "formats/dump_listing.h"
#include "pages/dump_page.h"
#include "pages/listing_control.h"
#include "resources/resource.h"

namespace quarzel::test {

namespace {

std::optional<app::ChosenFile> nextAnswer(std::deque<std::optional<app::ChosenFile>>& answers) {
  if (answers.empty()) return std::nullopt;
  auto answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace

std::optional<app::ChosenFile> ScriptedPlatform::openFile(const app::FileDialog& dialog, const std::string& path) {
  dialogTitles.push_back(dialog.title);
  fileDialogs.push_back(dialog);
  startPaths.push_back(path);
  return nextAnswer(openAnswers);
}

std::optional<app::ChosenFile> ScriptedPlatform::saveFile(const app::FileDialog& dialog, const std::string& path) {
  dialogTitles.push_back(dialog.title);
  fileDialogs.push_back(dialog);
  startPaths.push_back(path);
  return nextAnswer(saveAnswers);
}

int ScriptedPlatform::messageBox(HWND, const char* text, const char* caption, UINT) {
  messages.push_back(std::string(caption) + ": " + text);
  if (messageAnswers.empty()) return IDOK;
  const int answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

namespace {

// The dialog being run: its own procedure does all the work; the script
// runs once the dialog is up, from the dialog's own modal loop.
constexpr UINT kRunScript = WM_APP + 0x300;
constexpr UINT kScriptDone = WM_APP + 0x301;
DLGPROC runningProcedure = nullptr;
DialogScript runningScript;
bool scriptRan = false;

INT_PTR CALLBACK scriptedProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunScript) {
    // The modal loop shows the dialog once its queue is empty; the script
    // works on it as the user sees it.
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    scriptRan = true;
    runningScript(dialog);
    PostMessageA(dialog, kScriptDone, 0, 0);  // dropped when the script ended the dialog
    return TRUE;
  }
  if (message == kScriptDone) {
    ADD_FAILURE() << "the script left the dialog open; it is cancelled";
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  const INT_PTR result = runningProcedure(dialog, message, wParam, lParam);
  if (message == WM_INITDIALOG) PostMessageA(dialog, kRunScript, 0, 0);
  return result;
}

}  // namespace

INT_PTR ScriptedPlatform::runModal(const app::DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM parameter) {
  modalRuns.push_back(dialog.id);
  if (dialogScripts.empty()) {
    ADD_FAILURE() << "no script for dialog " << dialog.id;
    return IDCANCEL;
  }
  runningProcedure = procedure;
  runningScript = std::move(dialogScripts.front());
  dialogScripts.pop_front();
  scriptRan = false;
  const INT_PTR result = app::runDialog(dialog, owner, scriptedProcedure, parameter);
  EXPECT_NE(result, -1) << "dialog " << dialog.id << " could not be created";
  EXPECT_TRUE(scriptRan) << "dialog " << dialog.id << " ended before its script ran";
  runningProcedure = nullptr;
  runningScript = nullptr;
  return result;
}

std::vector<std::string> filterPatterns(const app::FileDialog& dialog) {
  std::vector<std::string> patterns;
  for (const app::FileFilter& filter : dialog.filters) patterns.emplace_back(filter.pattern);
  return patterns;
}

std::string tempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "quarzel-gui-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string sampleRom() {
  const Image image = sampleImage();
  return {reinterpret_cast<const char*>(image.bytes.data()), image.size};
}

void GuiTest::SetUp() {
  app::resetState();
  app::setPlatform(&platform);
  ASSERT_TRUE(app::startProgram(GetModuleHandleA(nullptr)));
}

void GuiTest::TearDown() {
  DestroyWindow(s().MainWindow);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  app::setPlatform(nullptr);
}

void GuiTest::command(int id) { SendMessageA(s().MainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void GuiTest::click(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  ASSERT_NE(button, nullptr) << "no control " << id;
  SendMessageA(button, BM_CLICK, 0, 0);  // a disabled button ignores it, as it ignores the mouse
}

void GuiTest::type(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  if (!IsWindowEnabled(edit)) return;  // a greyed control takes no keys
  SendMessageA(edit, EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageA(edit, WM_CHAR, VK_BACK, 0);  // the selection deleted
  for (const char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

std::string GuiTest::text(HWND dialog, int id) {
  char buffer[4096] = {};
  GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
  return buffer;
}

std::wstring GuiTest::wideText(HWND dialog, int id) {
  wchar_t buffer[4096] = {};
  GetDlgItemTextW(dialog, id, buffer, 4096);
  return buffer;
}

bool GuiTest::enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

std::string GuiTest::fileWith(const std::string& bytes, const std::string& name) {
  const std::string path = tempPath(name);
  writeBytes(path, bytes);
  return path;
}

void GuiTest::load(const std::string& bytes, const std::string& name) {
  platform.openAnswers.push_back(app::ChosenFile{fileWith(bytes, name), name});
  command(IDM_LOAD);
}

void GuiTest::runDialog(HWND dialog, int button, DialogScript script) {
  const std::size_t runs = platform.modalRuns.size();
  platform.dialogScripts.push_back(std::move(script));
  click(dialog, button);
  EXPECT_EQ(platform.modalRuns.size(), runs + 1) << "no dialog opened";
  EXPECT_TRUE(platform.dialogScripts.empty());
  platform.dialogScripts.clear();
}

COLORREF GuiTest::dumpColour(int position) {
  HWND dump = page(DumpTab);
  HWND listing = GetDlgItem(dump, IDC_DUMP_LISTING);
  const std::size_t top = app::listingTopLine();  // reading a colour does not move the view
  const auto at = static_cast<std::size_t>(position);
  if (!app::shownPosition(at)) app::scrollListingTo(dump, at / kDumpLineLength);
  const std::optional<LONG> shown = app::shownPosition(at);
  if (!shown) return CLR_INVALID;
  CHARRANGE range{*shown, *shown + 1};
  SendMessageA(listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  SendMessageA(listing, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  app::scrollListingTo(dump, top);
  // Text in the automatic colour carries no colour of its own (32-bit Wine
  // leaves crTextColor unset): it shows in the window text colour.
  return (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
}

}  // namespace quarzel::test
