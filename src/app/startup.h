// Start-up of the desktop program.
#pragma once

#include <windows.h>

namespace quarzel::app {

// RichEdit, FixedFont and MainWindow with its pages; false when RichEdit
// 1.0 cannot be loaded.
bool startProgram(HINSTANCE instance);

// The whole program: the single-instance guard, start-up, the optional
// file to open (`quarzel.exe FILE`) and the message loop.
int runProgram(HINSTANCE instance, const char* file);

}  // namespace quarzel::app
