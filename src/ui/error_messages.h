// The desktop program's message boxes for refused work: what it was doing,
// and the words of the error that stopped it.
#pragma once

#include <cstddef>
#include <string>

#include "formats/edit_result.h"

namespace quarzel::app {

// What the desktop program was doing when its error message appears; each
// has the headline of its message box.
enum class Task {
  BiosLoad, BiosSave, NoBiosItem, FontLoad, FontSave, BitmapLoad, LogoRoom, RefreshRate, GoToOffset,
};
inline constexpr std::size_t kTaskCount = static_cast<std::size_t>(Task::GoToOffset) + 1;
// "BIOS loading error!!!"
const char* headline(Task task);

// The desktop program's message for an edit refused during `task`: the
// error's own headline where it has one, else the task's, with describe's
// words on a line of their own unless the headline says it all.
std::string refusalMessage(Task task, EditError error);

}  // namespace quarzel::app
