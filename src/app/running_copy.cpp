#include "app/running_copy.h"

#include <cstring>

namespace quarzel::app {

namespace {

// How long a second copy waits for the first one's window to appear, and
// for it to take the file: a few seconds in all before it opens the file
// itself.
constexpr int kWindowWaitSteps = 20, kWindowWaitStepMs = 100;
constexpr UINT kHandOverTimeoutMs = 3000;

bool isMainWindow(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") != 0) return false;
  char title[16] = {};
  GetWindowTextA(window, title, sizeof title);
  return std::strcmp(title, "quarzel") == 0 || std::strncmp(title, "quarzel [", 9) == 0;
}

BOOL CALLBACK findMainWindow(HWND window, LPARAM found) {
  if (!isMainWindow(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

HWND findRunningCopy() {
  HWND found = nullptr;
  EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool handOverToRunningCopy(const std::string& file) {
  HWND target = findRunningCopy();
  for (int step = 0; !target && step < kWindowWaitSteps; ++step) {
    Sleep(kWindowWaitStepMs);
    target = findRunningCopy();
  }
  if (!target) return false;
  // This copy was started by the user, so it may let the running one come
  // to the front.
  DWORD process = 0;
  GetWindowThreadProcessId(target, &process);
  AllowSetForegroundWindow(process);
  COPYDATASTRUCT data{kHandedFileTag, static_cast<DWORD>(file.size() + 1), const_cast<char*>(file.c_str())};
  DWORD_PTR taken = FALSE;
  return SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kHandOverTimeoutMs, &taken) != 0 &&
         taken != FALSE;
}

std::optional<std::string> handedFile(const COPYDATASTRUCT& data) {
  if (data.dwData != kHandedFileTag || data.cbData == 0 || !data.lpData) return std::nullopt;
  const auto* bytes = static_cast<const char*>(data.lpData);
  if (bytes[data.cbData - 1] != '\0') return std::nullopt;
  return std::string(bytes, strnlen(bytes, data.cbData));
}

}  // namespace quarzel::app
