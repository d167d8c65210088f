// The Logo page's five text line edits, line 1 first.
#pragma once

#include <array>

#include "formats/logo_block.h"
#include "resources/resource.h"

namespace quarzel::app {

inline constexpr std::array<int, kLogoLines> kLogoLineIds = {IDC_LOGO_LINE1, IDC_LOGO_LINE2, IDC_LOGO_LINE3,
                                                             IDC_LOGO_LINE4, IDC_LOGO_LINE5};

}  // namespace quarzel::app
