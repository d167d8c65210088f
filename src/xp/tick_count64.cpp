// Windows XP has no GetTickCount64, which the mingw-w64 threads library
// (winpthreads, linked into every Windows program for the C++ runtime's
// locks) calls for its timed waits: a program that imports it does not start
// on XP. The import entry defined here takes the place of kernel32's, so the
// programs do not import it: it calls the system's function where Windows
// has one (Vista and later), and on XP widens GetTickCount, counting its
// wraps (every 49.7 days).
#include <windows.h>

namespace {

using TickCount64 = ULONGLONG(WINAPI*)();

ULONGLONG WINAPI tickCount64() {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (const auto system = reinterpret_cast<TickCount64>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "GetTickCount64"))))
    return system();
  // One wrap counter for the process; the threads that wait share it.
  static volatile LONG last = 0;
  static volatile LONG wraps = 0;
  const DWORD now = GetTickCount();
  const DWORD before = static_cast<DWORD>(InterlockedExchange(&last, static_cast<LONG>(now)));
  if (now < before) InterlockedIncrement(&wraps);
  return (static_cast<ULONGLONG>(static_cast<DWORD>(wraps)) << 32) | now;
}

}  // namespace

// Under the name the linker looks up for a call through kernel32's import
// table.
#ifdef _WIN64
TickCount64 tickCount64Import __asm__("__imp_GetTickCount64") = tickCount64;
#else
TickCount64 tickCount64Import __asm__("__imp__GetTickCount64@0") = tickCount64;
#endif
