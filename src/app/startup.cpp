#include "app/startup.h"

#include <commctrl.h>

#include "app/dialog_keys.h"
#include "app/main_window.h"
#include "ui/app_state.h"
#include "app/running_copy.h"
#include "resources/resource.h"

namespace quarzel::app {

bool startProgram(HINSTANCE instance) {
  AppState& s = state();
  s.instance = instance;
  // The library stays loaded until the process ends: the listing control
  // lives as long as the window does.
  if (!LoadLibraryA("RICHED32.DLL")) return false;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  LOGFONTA fixed{};
  GetObjectA(GetStockObject(SYSTEM_FIXED_FONT), sizeof fixed, &fixed);
  s.FixedFont = CreateFontIndirectA(&fixed);
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainWindowProc, 0) != nullptr;
}

int runProgram(HINSTANCE instance, const char* file) {
  // The first copy holds the mutex until it ends; a second copy hands its
  // file to it (or only brings it forward) and ends without a window. When
  // the running copy cannot be reached (its window is on another desktop,
  // or hangs), the second copy goes on with a window of its own rather
  // than lose its file.
  if (HANDLE other = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "quarzel")) {
    CloseHandle(other);
    if (handOverToRunningCopy(file ? file : "")) return 0;
  } else if (!CreateMutexA(nullptr, FALSE, "quarzel")) {
    return 0;
  }
  if (!startProgram(instance)) return 0;
  if (file && *file) loadNamedFile(file);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (routeDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace quarzel::app
