// MainWindow: the menu, the tab control of eight pages, and the load,
// reload and save sequences.
#pragma once

#include <windows.h>

#include <string>

namespace quarzel::app {

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void showPage(int index);

// Load BIOS (reload false: ask for a file) and Reload BIOS (read loadPath again).
void loadSequence(bool reload);
// `quarzel.exe FILE`: the load sequence on FILE, as if chosen in the dialog.
void loadAtStart(const std::string& path);
void saveBiosAs();

// Frees what start-up made and ends the message loop; safe to run twice.
void shutdown();

}  // namespace quarzel::app
