#include "pages/boot_screen_window.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/wide_text.h"
#include "ui/window_helpers.h"

namespace quarzel::app {

namespace {

constexpr const char* kWindowClass = "quarzelBootScreen";
constexpr const char* kCaption = "Boot Screen";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The panel under the picture, in pixels: the note, then the row of the
// card's memory sizes with its label.
constexpr int kMargin = 8, kRowHeight = 20, kLabelWidth = 90, kSizeWidth = 64;
constexpr const char* kMemoryLabel = "Card's memory:";
constexpr std::size_t kMemoryChoiceCount = std::size(kMemoryChoices);

struct BootScreenWindow {
  HWND window = nullptr;
  BootScreen screen;
  std::uint32_t megabytes = kDefaultMemoryMegabytes;  // the card's memory, as chosen
};
BootScreenWindow shown;

int memoryButton(std::size_t choice) { return IDC_BOOT_SCREEN_FIRST_MEMORY + static_cast<int>(choice); }

// Into the picture kept from the last drawing: a fresh one costs its page
// faults every time.
void drawScreen() { drawBootScreen(state().BiosImage, state().Layout, {shown.megabytes}, shown.screen); }

// A note of the core's, which starts in lower case, as a sentence of the
// line (its words are ASCII; the C library's toupper is not among XP's
// imports of ours).
std::string sentence(std::string note) {
  if (!note.empty() && note[0] >= 'a' && note[0] <= 'z') note[0] = static_cast<char>(note[0] - 'a' + 'A');
  return note + ". ";
}

// The line under the picture: whether it was read whole, what it could not
// read, and the memory size it shows.
std::string noteText(const BootScreen& screen) {
  const BootScreenVerdict read = verdict(screen);
  std::string text = read == BootScreenVerdict::Whole     ? "Read whole from the image. "
                     : read == BootScreenVerdict::Partial ? "Partly read. "
                                                          : "";
  for (const std::string& note : screenNotes(screen)) text += sentence(note);
  if (screen.memory) text += sentence("video memory: " + describeMemory(*screen.memory, shown.megabytes));
  return text;
}

// The height the note's text takes when it wraps at `width` pixels.
int textHeight(HWND control, const std::string& text, int width) {
  HDC dc = GetDC(control);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, width, 0};
  const std::wstring wide = wideText(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return rect.bottom;
}

// The window's outer size for a client area of `width` x `height`.
SIZE outerSize(int width, int height) {
  RECT rect{0, 0, width, height};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Puts the note and the memory row under the picture, says what the picture
// shows, and sizes the window to hold them. The sizes take a choice only
// where the BIOS reads the memory from the card.
SIZE layOut() {
  HWND window = shown.window;
  const BootScreen& screen = shown.screen;
  const std::string text = noteText(screen);
  setText(window, IDC_BOOT_SCREEN_NOTE, text);
  const int width = screen.width - 2 * kMargin, noteTop = screen.height + kMargin;
  const int noteHeight = textHeight(GetDlgItem(window, IDC_BOOT_SCREEN_NOTE), text, width);
  MoveWindow(GetDlgItem(window, IDC_BOOT_SCREEN_NOTE), kMargin, noteTop, width, noteHeight, TRUE);
  const int rowTop = noteTop + noteHeight + kMargin;
  MoveWindow(GetDlgItem(window, IDC_BOOT_SCREEN_MEMORY_LABEL), kMargin, rowTop, kLabelWidth, kRowHeight, TRUE);
  const bool choosable = screen.memory && !screen.memory->fromImage;
  enable(window, IDC_BOOT_SCREEN_MEMORY_LABEL, choosable);
  for (std::size_t i = 0; i < kMemoryChoiceCount; ++i) {
    HWND button = GetDlgItem(window, memoryButton(i));
    MoveWindow(button, kMargin + kLabelWidth + static_cast<int>(i) * kSizeWidth, rowTop, kSizeWidth, kRowHeight, TRUE);
    EnableWindow(button, choosable);
    CheckDlgButton(window, memoryButton(i), kMemoryChoices[i] == shown.megabytes ? BST_CHECKED : BST_UNCHECKED);
  }
  return outerSize(screen.width, rowTop + kRowHeight + kMargin);
}

void refit() {
  const SIZE size = layOut();
  SetWindowPos(shown.window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(shown.window, nullptr, TRUE);
}

HWND addControl(HWND window, const char* type, const char* text, DWORD style, int id) {
  HWND control = CreateWindowExA(0, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state().instance, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

void createControls(HWND window) {
  addControl(window, "STATIC", "", SS_LEFT | SS_NOPREFIX, IDC_BOOT_SCREEN_NOTE);
  addControl(window, "STATIC", kMemoryLabel, SS_LEFT | SS_CENTERIMAGE, IDC_BOOT_SCREEN_MEMORY_LABEL);
  for (std::size_t i = 0; i < kMemoryChoiceCount; ++i)
    addControl(window, "BUTTON", (std::to_string(kMemoryChoices[i]) + " MB").c_str(),
               BS_AUTORADIOBUTTON | WS_TABSTOP | (i == 0 ? WS_GROUP : 0), memoryButton(i));
}

// Beside the main window, on the side with more room, where the screen has
// room for it; else at that side of the screen over the pages, its top at
// theirs, so that the menu, the tabs and as much of the page as the screen
// allows stay in view.
POINT placeFor(SIZE size) {
  const AppState& s = state();
  RECT main, pages;
  GetWindowRect(s.MainWindow, &main);
  GetWindowRect(s.pageWindows[static_cast<std::size_t>(s.currentPage)], &pages);
  const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const bool right = screenWidth - main.right >= main.left;
  if ((right ? screenWidth - main.right : main.left) >= size.cx) {
    const LONG top = std::clamp<LONG>(main.top, 0, std::max<LONG>(0, screenHeight - size.cy));
    return {right ? main.right : main.left - size.cx, top};
  }
  return {right ? std::max<LONG>(0, screenWidth - size.cx) : 0, pages.top};
}

void paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const BootScreen& screen = shown.screen;
  if (!screen.pixels.empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = screen.width;
    info.bmiHeader.biHeight = -screen.height;  // rows top first, as drawn
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;  // 0x00RRGGBB is a 32-bit DIB's BGRX
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(screen.width), static_cast<DWORD>(screen.height), 0, 0, 0,
                      static_cast<UINT>(screen.height), screen.pixels.data(), &info, DIB_RGB_COLORS);
  }
  EndPaint(window, &paint);
}

void chooseMemory(int id) {
  const auto choice = static_cast<std::size_t>(id - IDC_BOOT_SCREEN_FIRST_MEMORY);
  if (choice >= kMemoryChoiceCount || kMemoryChoices[choice] == shown.megabytes) return;
  shown.megabytes = kMemoryChoices[choice];
  redrawBootScreen();
}

LRESULT CALLBACK BootScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_ERASEBKGND: {  // the panel under the picture; the picture covers the rest
      RECT panel;
      GetClientRect(window, &panel);
      panel.top = shown.screen.height;
      // The colour the controls on it take from DefWindowProc.
      FillRect(reinterpret_cast<HDC>(wParam), &panel, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
      return 1;
    }
    case WM_COMMAND:
      // Esc, through the message loop's dialog keys, closes the window.
      if (LOWORD(wParam) == IDCANCEL)
        DestroyWindow(window);
      else if (HIWORD(wParam) == BN_CLICKED)
        chooseMemory(LOWORD(wParam));
      return 0;
    case WM_DESTROY:
      shown = {};
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool registerClass() {
  WNDCLASSA windowClass{};
  if (GetClassInfoA(state().instance, kWindowClass, &windowClass)) return true;
  windowClass.lpfnWndProc = BootScreenProc;
  windowClass.hInstance = state().instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace

void showBootScreen() {
  if (!state().imageLoaded) return;
  if (shown.window) {
    SetForegroundWindow(shown.window);
    return;
  }
  if (!registerClass()) return;
  // Owned by the main window: above it, and closed with it.
  shown.window = CreateWindowExA(0, kWindowClass, kCaption, kStyle, 0, 0, 0, 0, state().MainWindow, nullptr,
                                 state().instance, nullptr);
  if (!shown.window) return;
  createControls(shown.window);
  drawScreen();
  const SIZE size = layOut();
  const POINT place = placeFor(size);
  SetWindowPos(shown.window, nullptr, place.x, place.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(shown.window, SW_SHOWNORMAL);
}

void redrawBootScreen() {
  if (!shown.window) return;
  drawScreen();
  refit();
}

HWND bootScreenWindow() { return shown.window; }
const BootScreen& shownBootScreen() { return shown.screen; }

}  // namespace quarzel::app
