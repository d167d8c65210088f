// The main window's keyboard, as in every Windows dialog: Tab and Shift+Tab
// move from the tab strip through the fields of the page shown and back to
// the strip, Enter and Space press the page's buttons, the arrow keys move
// within a group of radio buttons. The Boot Screen window's keys go the
// same way.
#pragma once

#include <windows.h>

namespace quarzel::app {

// Handles `message` when it is one of those keys for the main window, the
// page shown or the Boot Screen window (it is then dispatched already);
// false for every other message, which the caller translates and
// dispatches as usual.
bool routeDialogKeys(MSG& message);

}  // namespace quarzel::app
