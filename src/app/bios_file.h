// Loading and saving the BIOS image file.
#pragma once

#include "ui/platform.h"

namespace quarzel::app {

// Reads the file (chosen in the open dialog, or loadPath again) into
// BiosImage and BiosBackup. The whole file is checked before anything
// changes, so a refused file leaves the image and the pages as they were.
FileResult loadBios(bool reload);

// Asks for a name and writes imageSize bytes of BiosImage through a
// temporary file, so a failed write leaves an existing file intact. A saved
// file takes the place of the loaded one: the title and Reload BIOS follow it.
FileResult saveBios();

}  // namespace quarzel::app
