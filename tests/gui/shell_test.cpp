// The main window: load, reload, save, the busy guard and the single copy.
#include "gui_fixture.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "app/running_copy.h"
#include "pages/fonts_page.h"
#include "pages/logo_page.h"
#include "resources/resource.h"

namespace quarzel::test {
namespace {

std::string windowTitle() {
  char title[256] = {};
  GetWindowTextA(app::state().MainWindow, title, sizeof title);
  return title;
}

using Shell = GuiTest;

TEST_F(Shell, LoadFillsThePagesWithoutEnablingApply) {
  EXPECT_EQ(windowTitle(), "quarzel");
  load(sampleRom(), "sample.rom");
  EXPECT_TRUE(s().imageLoaded);
  EXPECT_EQ(windowTitle(), "quarzel [sample.rom]");
  EXPECT_EQ(platform.dialogTitles, std::vector<std::string>{"Load BIOS"});
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_OFFSET), "5100");
  EXPECT_EQ(text(page(StringsTab), IDC_DATE).size(), 8u);
  EXPECT_EQ(text(page(LogoTab), IDC_LOGO_LINE4), "3dfx Interactive, Inc.");
  // Text set by the pass is not an edit: no Apply anywhere.
  EXPECT_FALSE(enabled(page(StringsTab), IDC_APPLY));
  EXPECT_FALSE(enabled(page(DumpTab), IDC_APPLY));
  EXPECT_TRUE(platform.messages.empty());
}

// A refused file changes nothing and says why; Reload BIOS still reads the
// file the title names.
TEST_F(Shell, RefusedLoadsSayWhyAndChangeNothing) {
  load(sampleRom(), "sample.rom");
  const Image before = s().BiosImage;
  const std::string string1 = text(page(StringsTab), IDC_STRING1_TEXT);
  load("BIOS\r\n", "notes.txt");
  load("", "empty.rom");
  load(std::string(70000, '\x55'), "big.rom");
  const std::string error = "ERROR: BIOS loading error!!!\n";
  EXPECT_EQ(platform.messages, (std::vector<std::string>{
                                   error + "notes.txt: " + describe(LoadError::NoSignature),
                                   error + "empty.rom: " + describe(LoadError::TooShort),
                                   error + "big.rom: is larger than 65536 bytes",
                               }));
  platform.openAnswers.push_back(std::nullopt);  // cancelled
  command(IDM_LOAD);
  EXPECT_EQ(platform.messages.size(), 3u);
  EXPECT_EQ(s().BiosImage.bytes, before.bytes);
  EXPECT_EQ(s().BiosImage.size, before.size);
  EXPECT_EQ(windowTitle(), "quarzel [sample.rom]");
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_TEXT), string1);
  command(IDM_RELOAD);
  EXPECT_EQ(platform.messages.size(), 3u);
  DeleteFileA(s().loadPath.c_str());
  command(IDM_RELOAD);
  EXPECT_EQ(platform.messages.back(), error + "sample.rom: no such file");
}

// An image without anything of a 3dfx BIOS loads, and says so once.
TEST_F(Shell, AnImageWithNothingFoundLoadsAndSaysSo) {
  load("\x55\xAA\x01" + std::string(509, '\0'), "bare.rom");
  EXPECT_TRUE(s().imageLoaded);
  EXPECT_EQ(windowTitle(), "quarzel [bare.rom]");
  EXPECT_EQ(platform.messages, std::vector<std::string>{"WARNING: No 3dfx BIOS item found!!!"});
  load(sampleRom(), "sample.rom");
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(Shell, ReloadAndSaveNeedALoadedImage) {
  command(IDM_RELOAD);
  command(IDM_SAVE);
  EXPECT_TRUE(platform.dialogTitles.empty());
  EXPECT_FALSE(s().imageLoaded);
}

TEST_F(Shell, ReloadDiscardsEditsAndReadsTheFileAgain) {
  load(sampleRom(), "sample.rom");
  type(page(StringsTab), IDC_STRING1_TEXT, "edited");
  click(page(StringsTab), IDC_APPLY);
  ASSERT_EQ(s().BiosImage.text(0x5100), "edited");
  platform.messageAnswers.push_back(IDNO);  // not saved
  command(IDM_RELOAD);
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(s().BiosImage.text(0x5100), "edited");
  EXPECT_EQ(s().BiosImage.bytes, s().BiosBackup.bytes);
}

TEST_F(Shell, AFileNamedAtStartIsLoadedAndReloadReadsItAgain) {
  const std::string path = tempPath("start.rom");
  writeBytes(path, sampleRom());
  app::loadNamedFile(path);
  EXPECT_TRUE(s().imageLoaded);
  EXPECT_EQ(windowTitle(), "quarzel [" + path.substr(path.find_last_of('\\') + 1) + "]");
  EXPECT_TRUE(platform.dialogTitles.empty());
  // The file changed on disk: Reload BIOS shows the new contents.
  std::string changed = sampleRom();
  changed[0x5100] = 'Q';
  writeBytes(path, changed);
  command(IDM_RELOAD);
  EXPECT_EQ(s().BiosImage.bytes[0x5100], 'Q');
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_TEXT).substr(0, 1), "Q");
}

TEST_F(Shell, SaveFixesTheChecksumAndRebuildsTheDump) {
  std::string rom = sampleRom();
  rom[0x100] = static_cast<char>(rom[0x100] + 1);  // checksum now off by one
  load(rom, "sample.rom");
  const std::string out = tempPath("saved.rom");
  platform.saveAnswers.push_back(app::ChosenFile{out, "saved.rom"});
  command(IDM_SAVE);
  // Save BIOS As starts at the loaded file, in its folder, and offers the
  // files Load BIOS offers.
  EXPECT_EQ(platform.dialogTitles, (std::vector<std::string>{"Load BIOS", "Save BIOS"}));
  EXPECT_EQ(platform.startPaths.back(), tempPath("sample.rom"));
  const std::vector<std::string> biosFiles{"*.rom;*.bin;*.vbi", "*.*"};
  EXPECT_EQ(filterPatterns(platform.fileDialogs.front()), biosFiles);
  EXPECT_EQ(filterPatterns(platform.fileDialogs.back()), biosFiles);
  const std::string saved = readBytes(out);
  ASSERT_EQ(saved.size(), rom.size());
  unsigned sum = 0;
  for (const char c : saved) sum += static_cast<unsigned char>(c);
  EXPECT_EQ(sum % 256, 0u);
  // The corrected byte differs from the committed copy: red, Apply enabled.
  EXPECT_TRUE(enabled(page(DumpTab), IDC_APPLY));
  EXPECT_EQ(dumpColour(74 * (0x7FFF / 16) + 56 + 15), RGB(255, 0, 0));
  EXPECT_TRUE(platform.messages.empty());
  // The saved file is now the window's: its title, and what Reload reads.
  EXPECT_EQ(windowTitle(), "quarzel [saved.rom]");
  std::string changed = saved;
  changed[0x5100] = 'Q';
  writeBytes(out, changed);
  command(IDM_RELOAD);
  EXPECT_EQ(s().BiosImage.bytes[0x5100], 'Q');
  platform.saveAnswers.push_back(std::nullopt);
  command(IDM_SAVE);
  EXPECT_EQ(platform.startPaths.back(), out);
}

TEST_F(Shell, FailedSaveSaysSoAndKeepsTheOldFile) {
  load(sampleRom(), "sample.rom");
  const std::string folder = tempPath("folder");
  CreateDirectoryA(folder.c_str(), nullptr);
  platform.saveAnswers.push_back(app::ChosenFile{folder, "folder"});
  command(IDM_SAVE);
  EXPECT_EQ(platform.messages, std::vector<std::string>{"ERROR: BIOS saving error!!!\nfolder: is a directory"});
  EXPECT_EQ(windowTitle(), "quarzel [sample.rom]");
  platform.saveAnswers.push_back(std::nullopt);  // cancelled: silent
  command(IDM_SAVE);
  EXPECT_EQ(platform.messages.size(), 1u);
  RemoveDirectoryA(folder.c_str());
}

// A length byte of 0 names no checksum byte: the image is saved as it stands.
TEST_F(Shell, AnImageWithoutAChecksumByteIsSavedAsItStands) {
  const std::string rom = "\x55\xAA" + std::string(510, '\x11');
  load(std::string(rom).replace(2, 1, 1, '\0'), "zero.rom");
  platform.messages.clear();  // nothing of a 3dfx BIOS in it
  const std::string out = tempPath("zero-saved.rom");
  platform.saveAnswers.push_back(app::ChosenFile{out, "zero-saved.rom"});
  command(IDM_SAVE);
  EXPECT_EQ(readBytes(out), std::string(rom).replace(2, 1, 1, '\0'));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Shell, AboutShowsWhereToReachUsAndOnlyOkClosesIt) {
  platform.dialogScripts.push_back([](HWND box) {
    EXPECT_EQ(text(box, IDC_ABOUT_EMAIL), "support@quarzel.org");
    EXPECT_EQ(text(box, IDC_ABOUT_WEB), "https://quarzel.org");
    SendMessageA(box, WM_COMMAND, IDCANCEL, 0);  // Escape: not handled
    EXPECT_TRUE(IsWindow(box));
    click(box, IDOK);
  });
  command(IDM_ABOUT);
  EXPECT_EQ(platform.modalRuns, std::vector<int>{IDD_ABOUT});
  EXPECT_TRUE(platform.dialogScripts.empty());
}

TEST_F(Shell, TabsShowOnePageAtATime) {
  EXPECT_TRUE(IsWindowVisible(page(FontsTab)));
  app::showPage(RegistersTab);
  EXPECT_FALSE(IsWindowVisible(page(FontsTab)));
  EXPECT_TRUE(IsWindowVisible(page(RegistersTab)));
  // Logo, Registers, Logo: one context for the Logo page, none for Fonts.
  app::showPage(LogoTab);
  app::showPage(RegistersTab);
  app::showPage(LogoTab);
  EXPECT_NE(app::logoPageState().dc, nullptr);
  EXPECT_EQ(app::fontsPageState().dc, nullptr);
}

// Clicks the middle of a tab as the mouse does.
void clickTab(HWND strip, app::Tab tab) {
  RECT item{};
  ASSERT_TRUE(SendMessageA(strip, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&item)));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(strip, WM_LBUTTONUP, 0, at);
}

// The tab strip as the user drives it: the mouse must keep switching pages
// after an arrow key has.
TEST_F(Shell, TabsFollowTheMouseAfterTheArrowKeys) {
  HWND strip = GetDlgItem(s().MainWindow, IDC_TABS);
  for (const app::Tab tab : {RegistersTab, PcirTab, FontsTab, DumpTab}) {
    SCOPED_TRACE(tab);
    clickTab(strip, tab);
    EXPECT_EQ(s().currentPage, tab);
    SendMessageA(strip, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(strip, WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(s().currentPage, tab + 1);
    EXPECT_TRUE(IsWindowVisible(page(static_cast<app::Tab>(tab + 1))));
  }
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// A copy of quarzel.exe started with `arguments`, as a second copy when
// this process holds the mutex; the handles are the caller's to close.
PROCESS_INFORMATION startCopy(const std::string& arguments) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" QUARZEL_EXE_PATH "\" " + arguments;
  EXPECT_TRUE(
      CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  return process;
}

DWORD exitCode(PROCESS_INFORMATION& process) {
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// Starts quarzel.exe with `arguments` while "this copy" holds the mutex,
// handles this thread's messages until it ends, and returns its exit code.
DWORD runSecondCopy(const std::string& arguments) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "quarzel");
  EXPECT_NE(mutex, nullptr);
  PROCESS_INFORMATION process = startCopy(arguments);
  DWORD code = 1;
  if (process.hProcess) {
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
      pumpMessages();
    pumpMessages();
    code = exitCode(process);
  }
  CloseHandle(mutex);
  return code;
}

struct WindowSearch {
  DWORD id;
  const std::string& title;
  HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
  auto& wanted = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (owner != wanted.id || !IsWindowVisible(window) || wanted.title != text) return TRUE;
  wanted.found = window;
  return FALSE;
}

// The visible top-level window of process `id` titled `title`; null when
// none is there.
HWND windowOf(DWORD id, const std::string& title) {
  WindowSearch search{id, title};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A file another copy hands over is loaded as Load BIOS loads it, and the
// window comes forward from the taskbar; other data is no file.
TEST_F(Shell, AHandedOverFileIsLoadedAndTheWindowComesForward) {
  const std::string path = fileWith(sampleRom(), "handed.rom");
  ShowWindow(s().MainWindow, SW_MINIMIZE);
  COPYDATASTRUCT data{app::kHandedFileTag, static_cast<DWORD>(path.size() + 1), const_cast<char*>(path.c_str())};
  EXPECT_EQ(SendMessageA(s().MainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
  pumpMessages();
  EXPECT_FALSE(IsIconic(s().MainWindow));
  EXPECT_TRUE(s().imageLoaded);
  EXPECT_EQ(windowTitle(), "quarzel [" + path.substr(path.find_last_of('\\') + 1) + "]");
  EXPECT_EQ(s().loadPath, path);
  data.dwData = 1;
  EXPECT_EQ(SendMessageA(s().MainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), FALSE);
}

// Two processes: a copy started with a file hands it to this window and
// ends; one started without a file only brings this window forward.
TEST_F(Shell, ASecondCopyHandsItsFileToTheRunningOneAndEnds) {
  ShowWindow(s().MainWindow, SW_MINIMIZE);
  EXPECT_EQ(runSecondCopy(""), 0u);
  EXPECT_FALSE(IsIconic(s().MainWindow));
  EXPECT_FALSE(s().imageLoaded);
  const std::string path = fileWith(sampleRom(), "second.rom");
  EXPECT_EQ(runSecondCopy("\"" + path + "\""), 0u);
  EXPECT_EQ(windowTitle(), "quarzel [" + path.substr(path.find_last_of('\\') + 1) + "]");
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_OFFSET), "5100");
}

// The running copy holds the mutex, but its window cannot be reached (as
// from another Wine desktop): the second copy opens its file in a window of
// its own rather than lose it, and ends as usual when that window closes.
TEST(SecondCopy, OpensItsFileItselfWhenTheRunningCopyCannotBeReached) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "quarzel");
  const std::string path = tempPath("unreached.rom");
  writeBytes(path, sampleRom());
  PROCESS_INFORMATION process = startCopy("\"" + path + "\"");
  ASSERT_NE(process.hProcess, nullptr);
  HWND window = nullptr;
  for (int step = 0; !window && step < 200; ++step) {
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;  // ended without a window
    window = windowOf(process.dwProcessId, "quarzel [" + path.substr(path.find_last_of('\\') + 1) + "]");
  }
  EXPECT_NE(window, nullptr) << "no window with the file";
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 2);
  EXPECT_EQ(exitCode(process), 0u);
  CloseHandle(mutex);
  DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace quarzel::test
