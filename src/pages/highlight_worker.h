// HighlightWorker: colours the dump listing's ranges from a thread of its
// own, so a long list does not hold up the window. Each worker owns its copy
// of the list, so a rebuild never changes a list being read, and a new
// worker starts only after the previous one has stopped and been closed.
#pragma once

#include <windows.h>

#include <vector>

#include "formats/dump_highlights.h"

namespace quarzel::app {

// Stops the running worker (if any) and starts one for `list`; an empty
// list starts none.
void startHighlightWorker(HWND listing, std::vector<Highlight> list);

// Asks the running worker to stop early, then waits for it and closes it.
void stopHighlightWorker();

// Waits for the running worker to finish its list, then closes it.
void joinHighlightWorker();

}  // namespace quarzel::app
