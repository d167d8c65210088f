// The eight tab pages: their window procedures, and what the analysis pass
// does to their controls (the reset before the blocks, the filling after).
#pragma once

#include <windows.h>

namespace quarzel::app {

INT_PTR CALLBACK FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DumpPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StringsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RegistersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PcirPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VesaStringsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VideoModesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Boot-up Strings page; string 1 alone, after the logo moved its count.
void resetStringsPage();
void fillStringsPage();
void refillString1();

// Logo page: its lines and the installed logo; the lines that follow a new
// string 1.
void resetLogoPage();
void fillLogoPage();
void followSignOn(const std::string& text);

// VESA Strings page: the four strings cleared, then their controls from
// BiosLayout (strings not located keep the cleared controls).
void resetVesaPage();
void fillVesaPage();

// Registers, fonts (8x8 offset), PCIR, VESA strings, video modes: the reset
// of the pass, then their controls from BiosLayout. Controls of items not
// found again are cleared, so no page shows the previous image's values.
void resetOtherPages();
void fillOtherPages();

// Video Modes page: refill the value fields for the selected mode.
void showSelectedMode();

// Fonts page: back to the 8x8 font after a load, sheet redrawn.
void resetFontsPageAfterLoad();

}  // namespace quarzel::app
