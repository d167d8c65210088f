// The screen the card shows at power-on, drawn from the image alone: the
// text page the video BIOS leaves before the PC BIOS goes on, or the logo
// screen where quarzel's logo block is installed. The sign-on code's print
// calls are found by their code, as the locators find the items, and
// played on a model of the card's text and pixel screens.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"
#include "analysis/boot_screen/sign_on_calls.h"

namespace quarzel {

// The memory sizes a board of these families carries, in MB; 16 is the
// emulated card's.
inline constexpr std::uint32_t kMemoryChoices[] = {8, 16, 32};
inline constexpr std::uint32_t kDefaultMemoryMegabytes = 16;
bool isMemoryChoice(std::uint32_t megabytes);

struct BootScreenOptions {
  // What the card's straps report where the BIOS asks the chip; a BIOS
  // that states its size keeps its own.
  std::uint32_t memoryMegabytes = kDefaultMemoryMegabytes;
};

enum class BootScreenKind {
  Text,          // VGA text mode 3: 80 x 25 cells of 9 x 16 dots
  Logo,          // VGA mode 12h, 640 x 480: the logo and its five lines
  Silent,        // a sign-on code that prints nothing: the blank text page
  Unrecognised,  // no sign-on code this program knows: the blank text page
};

struct BootScreen {
  BootScreenKind kind = BootScreenKind::Unrecognised;
  std::int32_t width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, rows top first
  std::optional<MemorySize> memory;  // where the sign-on prints it
  // What the picture could not take from the image, in words: the step of
  // the sign-on code it could not follow (the picture ends there), a font
  // it lacks.
  std::vector<std::string> unread;
};

// Whether the picture is the screen read whole from the image.
enum class BootScreenVerdict { Whole, Partial, Unrecognised };
BootScreenVerdict verdict(const BootScreen& screen);

// What the picture cannot tell by itself, a sentence each without its
// full stop: a BIOS that prints nothing or is not known, then `unread`.
std::vector<std::string> screenNotes(const BootScreen& screen);

// The memory size the screen shows against the one chosen for the card:
// "the BIOS reports 16384K whatever the card holds", "the BIOS knows no size
// above 8192K", or "the BIOS reads the card's 16384K".
std::string describeMemory(const MemorySize& size, std::uint32_t chosenMegabytes);

BootScreen drawBootScreen(const Image& image, const BiosLayout& layout, const BootScreenOptions& options = {});
// The same into `screen`, whose pixel buffer is kept where it is large
// enough: a window that redraws after every Apply spares the allocation,
// whose fresh megabyte alone costs some 6 ms in page faults under Wine.
void drawBootScreen(const Image& image, const BiosLayout& layout, const BootScreenOptions& options,
                    BootScreen& screen);

}  // namespace quarzel
