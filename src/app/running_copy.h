// One running copy takes the files: a copy started while another runs hands
// its file (or nothing) to the running one's main window and ends; when no
// window takes it, that copy opens it itself.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quarzel::app {

// The COPYDATASTRUCT tag of a file handed over: the path in the ANSI code
// page with its zero byte; an empty path only brings the window forward.
inline constexpr ULONG_PTR kHandedFileTag = 0x515A4C31;  // "QZL1"

// The main window of a copy that runs: a dialog titled "quarzel" or
// "quarzel [file]". Null when none is there.
HWND findRunningCopy();

// Hands `file` (empty: none) to the running copy, waiting a moment for its
// window when that copy is still starting. False when no window took it:
// none was found (another desktop), it did not answer in time, or a modal
// dialog of its own kept it from taking a file.
bool handOverToRunningCopy(const std::string& file);

// The path of a handed-over file as the receiving window reads it; empty
// optional when the data is not a handed-over file at all.
std::optional<std::string> handedFile(const COPYDATASTRUCT& data);

}  // namespace quarzel::app
