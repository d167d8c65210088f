// The eight tab pages of the main window, in tab order.
#pragma once

#include <windows.h>

namespace quarzel::app {

enum Tab : int { FontsTab, DumpTab, StringsTab, RegistersTab, PcirTab, VesaTab, ModesTab, LogoTab };
inline constexpr int kPageCount = LogoTab + 1;

// The page window of a tab (null before the main window made the pages).
HWND pageWindow(Tab tab);

}  // namespace quarzel::app
