// Apply of the Logo page: the logo block written into free space of the
// ROM, and the sign-on call pointed at it.
#pragma once

#include <array>
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
EditResult applyLogo(Image& image, const BiosLayout& layout, const LogoPicture& picture,
                     const std::array<std::string, kLogoLines>& lines);

}  // namespace quarzel
