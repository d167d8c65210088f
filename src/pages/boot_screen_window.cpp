#include "pages/boot_screen_window.h"

#include <string>

#include "ui/app_state.h"

namespace quarzel::app {

namespace {

constexpr const char* kWindowClass = "quarzelBootScreen";
constexpr const char* kCaption = "Boot Screen";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct BootScreenWindow {
  HWND window = nullptr;
  BootScreen screen;
};
BootScreenWindow shown;

// Into the picture kept from the last drawing: a fresh one costs its page
// faults every time.
void drawScreen() { drawBootScreen(state().BiosImage, state().Layout, {}, shown.screen); }

// The window's outer size for a client area the picture's size.
SIZE outerSize(const BootScreen& screen) {
  RECT rect{0, 0, screen.width, screen.height};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void fitToScreen() {
  const SIZE size = outerSize(shown.screen);
  SetWindowPos(shown.window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

LRESULT CALLBACK BootScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_ERASEBKGND:  // the picture covers the whole client area
      return 1;
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
  drawScreen();
  const SIZE size = outerSize(shown.screen);
  // Owned by the main window: above it, and closed with it.
  shown.window = CreateWindowExA(0, kWindowClass, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy,
                                 state().MainWindow, nullptr, state().instance, nullptr);
  if (shown.window) ShowWindow(shown.window, SW_SHOWNORMAL);
}

void redrawBootScreen() {
  if (!shown.window) return;
  drawScreen();
  fitToScreen();
  InvalidateRect(shown.window, nullptr, FALSE);
}

HWND bootScreenWindow() { return shown.window; }
const BootScreen& shownBootScreen() { return shown.screen; }

}  // namespace quarzel::app
