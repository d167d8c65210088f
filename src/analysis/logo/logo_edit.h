// Apply of the Logo page: the logo block written into free space of the
// ROM, and the sign-on call pointed at it; and its removal.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/bios_layout.h"
#include "formats/bmp_picture.h"
#include "formats/edit_result.h"
#include "formats/logo_block.h"

namespace quarzel {

// The five logo lines: each one given, else the line the analysis pass
// took from the sign-on string or the installed logo.
using LogoLines = std::array<std::string, kLogoLines>;
// The characters of a line that count: the Logo page reads no more from an
// edit, and longer lines given otherwise are cut to them.
inline constexpr std::size_t kLogoLineChars = 255;
LogoLines logoLinesWith(const BiosLayout& layout, const std::array<std::optional<std::string>, kLogoLines>& given);

// What the logo needs and what the image has: the bytes of FFh the block
// takes, the longest free run inside the ROM (an installed logo's block
// counts as free), and the free bytes right after the ROM length that the
// ROM may grow over, whole 512-byte steps of them.
struct LogoRoom {
  std::size_t needed = 0;
  std::size_t largestInRom = 0;
  std::size_t pastRom = 0;
};
LogoRoom logoRoom(const Image& image, const BiosLayout& layout, const LogoPicture& picture);
// "the logo needs 8159 bytes of FFh; the largest free run inside the ROM
// holds 6968 bytes" and, where the ROM could grow, "; 24064 free bytes
// follow the ROM's 40960".
std::string logoRoomText(const LogoRoom& room);

// Refuses, writing nothing: no sign-on call (bootCodeAddress), no PCIR of
// vendor 121Ah, a picture the block cannot draw, texts over 374 characters,
// no free run. Lines longer than 255 characters are cut to 255, as the page
// reads them. An installed logo's block is replaced: in place where the new
// one fits there, else in the lowest free run, its old bytes freed (FFh).
// The block keeps the sign-on code its call replaces. Where only the free
// bytes past the ROM length hold it, `grow` lets the ROM grow over them in
// 512-byte steps (byte 2 and the PCIR's image length; the checksum follows
// at the save), else LogoNeedsGrowth.
EditResult applyLogo(Image& image, const BiosLayout& layout, const LogoPicture& picture, const LogoLines& lines,
                     bool grow = false);

// Puts the sign-on code the installed logo's block keeps back in place of
// its call and frees the block (FFh).
EditResult removeLogo(Image& image, const BiosLayout& layout);

}  // namespace quarzel
