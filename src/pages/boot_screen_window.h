// The Boot Screen window: the screen the card shows at power-on, drawn
// from the image as it stands, at one pixel per pixel. It follows every
// load and every change of the image while it is open.
#pragma once

#include <windows.h>

#include "analysis/boot_screen/boot_screen.h"

namespace quarzel::app {

// Opens the window, or brings the open one forward; nothing before a load.
void showBootScreen();

// Draws the image again where the window is open.
void redrawBootScreen();

// The window and the screen it shows (null while closed), for the tests.
HWND bootScreenWindow();
const BootScreen& shownBootScreen();

}  // namespace quarzel::app
