// Loading and saving the BIOS image file.
#pragma once

#include "ui/platform.h"

namespace quarzel::app {

// Load BIOS (reload false: the file chosen in the open dialog) and Reload
// BIOS (reload true: the window's file again).
FileOutcome loadBios(bool reload);

// Reads the file into BiosImage, BiosBackup and SavedImage. The whole file is checked
// before anything changes, so a refused file leaves the image, the pages,
// the title and what Reload BIOS reads as they were.
FileOutcome loadBiosFile(const ChosenFile& file);

// Asks for a name and writes imageSize bytes of BiosImage through a
// temporary file, so a failed write leaves an existing file intact. A saved
// file takes the place of the loaded one: the title and Reload BIOS follow
// it, and SavedImage holds what was written.
FileOutcome saveBios();

}  // namespace quarzel::app
