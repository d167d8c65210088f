// The eight tab pages: their window procedures, what the analysis pass does
// to their controls (the reset before the locators, the filling after), and
// the table that lists them in tab order.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "ui/tabs.h"

namespace quarzel::app {

INT_PTR CALLBACK FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DumpPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StringsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RegistersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PcirPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VesaStringsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VideoModesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Each page's part of the analysis pass. The reset clears every control its
// fill writes, so an image without an item never shows the previous image's
// value; the fill shows what BiosLayout holds, and leaves the controls of
// items not found as the reset left them.
void resetFontsPage();
void fillFontsPage();
void resetStringsPage();
void fillStringsPage();
void fillRegistersPage();
void resetPcirPage();
void fillPcirPage();
void resetVesaPage();
void fillVesaPage();
void resetModesPage();
void fillModesPage();
void resetLogoPage();
void fillLogoPage();

// The pages that only show the image, refilled after every change of it
// (see imageChanged): nothing the user typed lives on them.
void refreshFontsPage();
void refreshPcirPage();
void refreshModesPage();

struct PageInfo {
  Tab tab;
  const char* label;
  int templateId;
  DLGPROC procedure;
  void (*reset)();  // null: nothing to clear (the fill writes every control, or none)
  void (*fill)();
  void (*refresh)();  // null: the page's own commands keep it true
};

// Every page, at the index of its tab.
const std::array<PageInfo, kPageCount>& pageTable();

// Boot-up Strings page: string 1 alone, after the logo moved its count.
void refillString1();

// Logo page: the lines that follow a new string 1.
void followSignOn(const std::string& text);

// Fonts page: back to the 8x8 font after a load, sheet redrawn.
void resetFontsPageAfterLoad();

}  // namespace quarzel::app
