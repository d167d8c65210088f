// How the pages follow the image. A load, a reload and the Dump page's
// Restore run the whole analysis pass: the page controls reset, the
// locators over BiosImage, then every page filled from BiosLayout. Every
// other change of the image (a page's Apply, a font load, the logo's Apply
// and Remove, Save's checksum) ends with imageChanged. Callers hold the
// busy guard around both.
#pragma once

namespace quarzel::app {

void runAnalysisPass();

// The dump listed anew, every page that only shows the image refilled
// from it, and the Boot Screen drawn again. Pages that hold the user's edits (the strings, the registers)
// are refilled by their own Apply and Restore; no other command writes
// their bytes, but for the logo's string 1, which the logo's edits refill.
void imageChanged();

}  // namespace quarzel::app
