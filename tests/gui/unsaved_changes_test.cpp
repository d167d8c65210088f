// Changes not saved: the question before Exit, closing and every load, and
// what each of its answers does.
#include "gui_fixture.h"

#include <shlobj.h>

#include <cstring>

#include "app/running_copy.h"
#include "resources/resource.h"

namespace quarzel::test {
namespace {

const std::string kQuestion = "BIOS: The BIOS has changes that are not saved. Save them first?";

// True once Exit or closing has ended the program, which posts the quit
// message; it is taken, so the next check starts afresh.
bool quitPosted() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

// Drops the files on the main window as the shell does.
void drop(const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  std::memcpy(files + 1, names.data(), names.size());
  GlobalUnlock(memory);
  SendMessageA(app::state().MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

class UnsavedChanges : public GuiTest {
 public:
  // String 1 of the sample, typed and applied.
  void editString1(const std::string& string) {
    type(page(StringsTab), IDC_STRING1_TEXT, string);
    click(page(StringsTab), IDC_APPLY);
  }
  void answer(std::initializer_list<int> buttons) { platform.messageAnswers.assign(buttons); }
  static std::string string1() { return app::state().BiosImage.text(0x5100); }
};

// Cancel, and a Yes whose save is cancelled or fails, keep the window with
// its edit; a Yes that saves writes the edit and quits.
TEST_F(UnsavedChanges, ExitKeepsTheEditUntilItIsSaved) {
  load(sampleRom(), "sample.rom");
  editString1("edited");
  const std::string folder = tempPath("folder");
  CreateDirectoryA(folder.c_str(), nullptr);
  platform.saveAnswers = {std::nullopt, app::ChosenFile{folder, "folder"}};
  answer({IDCANCEL, IDYES, IDYES});
  command(IDM_EXIT);
  SendMessageA(s().MainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4
  SendMessageA(s().MainWindow, WM_CLOSE, 0, 0);
  RemoveDirectoryA(folder.c_str());
  EXPECT_FALSE(quitPosted());
  EXPECT_EQ(platform.messages, (std::vector<std::string>{kQuestion, kQuestion, kQuestion,
                                                         "ERROR: BIOS saving error!!!\nfolder: is a directory"}));
  EXPECT_EQ(string1(), "edited");
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_TEXT), "edited");

  const std::string out = tempPath("kept.rom");
  platform.saveAnswers.push_back(app::ChosenFile{out, "kept.rom"});
  answer({IDYES});
  command(IDM_EXIT);
  EXPECT_TRUE(quitPosted());
  EXPECT_EQ(readBytes(out).substr(0x5100, 7), std::string("edited\0", 7));
}

TEST_F(UnsavedChanges, NoDropsTheEditAndQuits) {
  load(sampleRom(), "sample.rom");
  editString1("edited");
  answer({IDNO});
  SendMessageA(s().MainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(platform.messages, std::vector<std::string>{kQuestion});
  EXPECT_TRUE(quitPosted());
  EXPECT_EQ(platform.dialogTitles, std::vector<std::string>{"Load BIOS"});  // no Save As
}

// Only bytes that differ from the file count: an edit undone by hand, or
// saved (with the checksum byte the save corrected), asks nothing.
TEST_F(UnsavedChanges, NothingToAskWhenTheImageIsAsTheFileHoldsIt) {
  std::string rom = sampleRom();
  rom[0x7FF0] = 1;  // a free byte: the checksum is off by one
  load(rom, "sample.rom");
  const std::string date = text(page(StringsTab), IDC_DATE);
  type(page(StringsTab), IDC_DATE, "01/02/03");
  click(page(StringsTab), IDC_APPLY);
  type(page(StringsTab), IDC_DATE, date);
  click(page(StringsTab), IDC_APPLY);
  load(rom, "sample.rom");
  EXPECT_TRUE(platform.messages.empty());

  editString1("edited");
  click(page(DumpTab), IDC_APPLY);  // committed on the Dump page, not saved
  answer({IDCANCEL});
  command(IDM_LOAD);
  EXPECT_EQ(platform.messages, std::vector<std::string>{kQuestion});
  platform.saveAnswers.push_back(app::ChosenFile{tempPath("saved.rom"), "saved.rom"});
  command(IDM_SAVE);
  command(IDM_EXIT);
  EXPECT_TRUE(quitPosted());
  EXPECT_EQ(platform.messages.size(), 1u);
}

// Load BIOS, Reload BIOS, a handed-over file and a dropped one all ask
// before the edit goes.
TEST_F(UnsavedChanges, EveryLoadAsksFirst) {
  load(sampleRom(), "sample.rom");
  editString1("edited");
  const std::string other = fileWith(sampleRom(), "other.rom");
  answer({IDCANCEL, IDCANCEL, IDCANCEL});
  command(IDM_LOAD);
  command(IDM_RELOAD);
  drop({other});
  EXPECT_EQ(platform.messages.size(), 3u);
  EXPECT_EQ(platform.dialogTitles.size(), 1u);  // no open dialog after Cancel
  EXPECT_EQ(string1(), "edited");

  // Yes saves first: Reload then reads the saved file, edit and all.
  platform.saveAnswers.push_back(app::ChosenFile{tempPath("saved.rom"), "saved.rom"});
  answer({IDYES});
  command(IDM_RELOAD);
  EXPECT_EQ(s().loadPath, tempPath("saved.rom"));
  EXPECT_EQ(string1(), "edited");

  editString1("again");
  COPYDATASTRUCT data{app::kHandedFileTag, static_cast<DWORD>(other.size() + 1), const_cast<char*>(other.c_str())};
  answer({IDNO});
  SendMessageA(s().MainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  EXPECT_EQ(s().loadPath, other);
  EXPECT_EQ(platform.messages.size(), 5u);
}

// A dropped ROM loads as Load BIOS loads it: the first of several files,
// and a refused one brings the same error box.
TEST_F(UnsavedChanges, ADroppedFileLoads) {
  const std::string rom = fileWith(sampleRom(), "dropped.rom");
  const std::string notes = fileWith("BIOS\r\n", "notes.txt");
  drop({notes});
  EXPECT_FALSE(s().imageLoaded);
  EXPECT_EQ(platform.messages, std::vector<std::string>{"ERROR: BIOS loading error!!!\n" + notes.substr(notes.find_last_of('\\') + 1) +
                                                         ": " + describe(LoadError::NoSignature)});
  drop({rom, fileWith("BIOS\r\n", "second.txt")});
  EXPECT_EQ(s().loadPath, rom);
  EXPECT_EQ(text(page(StringsTab), IDC_STRING1_OFFSET), "5100");
  EXPECT_EQ(platform.messages.size(), 1u);
}

}  // namespace
}  // namespace quarzel::test
