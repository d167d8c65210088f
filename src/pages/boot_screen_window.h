// The Boot Screen window: the screen the card shows at power-on, drawn
// from the image as it stands, at one pixel per pixel, with a line under it
// that says what the picture could not read and the memory size it shows,
// and the card's memory sizes to choose from where the BIOS asks the card.
// It follows every load and every change of the image while it is open,
// opens beside the main window (or over its pages) and closes with Esc.
#pragma once

#include <windows.h>

#include "analysis/boot_screen/boot_screen.h"

namespace quarzel::app {

// Opens the window, or brings the open one forward; nothing before a load.
// Each opening starts at the default memory size.
void showBootScreen();

// Draws the image again where the window is open.
void redrawBootScreen();

// The window and the screen it shows (null while closed), for the tests.
HWND bootScreenWindow();
const BootScreen& shownBootScreen();

}  // namespace quarzel::app
