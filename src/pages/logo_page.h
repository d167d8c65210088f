// What the Logo page keeps while it lives.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "formats/bmp_picture.h"

namespace quarzel::app {

// The picture: the installed logo's, or one loaded from a file and not yet
// applied, which a load that fails whole leaves in place and a new BIOS
// forgets; its bitmap as the page paints it; the file last chosen in the
// Load BMP dialog; the drawing context the page paints through while it is
// shown.
struct LogoPageState {
  std::optional<LogoPicture> picture;
  HBITMAP bitmap = nullptr;
  std::string loadPath;
  HDC dc = nullptr;
};
const LogoPageState& logoPageState();

}  // namespace quarzel::app
