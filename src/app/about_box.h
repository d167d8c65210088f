// The About box: the program's name and version, and where to reach us.
#pragma once

#include <windows.h>

namespace quarzel::app {

inline constexpr const char* kContactAddress = "support@quarzel.org";
inline constexpr const char* kWebAddress = "https://quarzel.org";

void showAboutBox(HWND owner);

}  // namespace quarzel::app
