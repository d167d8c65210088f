// The About box: the program's name and version, and where to reach us.
#pragma once

#include <windows.h>

#include "quarzel_version.h"

namespace quarzel::app {

inline constexpr const char* kContactAddress = QUARZEL_CONTACT;
inline constexpr const char* kWebAddress = QUARZEL_HOMEPAGE;

void showAboutBox(HWND owner);

}  // namespace quarzel::app
