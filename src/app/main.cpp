// quarzel.exe: the desktop editor for 3dfx video BIOS images.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/startup.h"

namespace {

// `quarzel.exe FILE` opens FILE at start ("Open with", dropping a ROM on the
// program). The path is taken in the ANSI code page, as the dialogs give it.
std::string fileArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::string file;
  if (arguments && count > 1) {
    const int size = WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, nullptr, 0, nullptr, nullptr);
    if (size > 1) {
      file.resize(static_cast<std::size_t>(size - 1));
      WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, file.data(), size, nullptr, nullptr);
    }
  }
  LocalFree(arguments);
  return file;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return quarzel::app::runProgram(instance, fileArgument().c_str());
}
