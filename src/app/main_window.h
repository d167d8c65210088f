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
// The load sequence on a file named by path, as if chosen in the dialog:
// `quarzel.exe FILE`, and a file another copy handed over.
void loadNamedFile(const std::string& path);
// Save BIOS As...: true when the file was written.
bool saveBiosAs();

// Frees what start-up made and ends the message loop; safe to run twice.
void shutdown();

}  // namespace quarzel::app
