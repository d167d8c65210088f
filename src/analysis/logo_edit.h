// Apply of the Logo page: the logo block written into free space of the
// ROM, and the sign-on call pointed at it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/bios_layout.h"
#include "formats/bmp_picture.h"
#include "formats/edit_result.h"
#include "formats/logo_block.h"

namespace quarzel {

// Refuses, writing nothing: no sign-on call (bootCodeAddress), no PCIR of
// vendor 121Ah, a picture the block cannot draw, texts over 374 characters,
// no free run. Lines longer than 255 characters are cut to 255, as the
// page reads them.
// The five logo lines: each one given, else the line the analysis pass
// took from the sign-on string.
using LogoLines = std::array<std::string, kLogoLines>;
LogoLines logoLinesWith(const BiosLayout& layout, const std::array<std::optional<std::string>, kLogoLines>& given);

EditResult applyLogo(Image& image, const BiosLayout& layout, const LogoPicture& picture,
                     const LogoLines& lines);

}  // namespace quarzel
