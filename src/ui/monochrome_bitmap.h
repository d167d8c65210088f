// Pictures of glyphs as GDI bitmaps: device-independent sections of 1 bit
// per pixel, stored bottom-up, whose background is the button-face colour,
// so the empty part blends with the dialog around it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace quarzel::app {

struct MonochromeBitmap {
  HBITMAP bitmap = nullptr;
  std::uint8_t* bits = nullptr;  // the section's pixels, width / 8 bytes a row
};

// The section with its bits cleared; both null when GDI refuses.
MonochromeBitmap createMonochromeBitmap(int width, int height);
// Copies `pixels` (exactly the section's bytes) into the section.
void showPixels(const MonochromeBitmap& picture, std::span<const std::uint8_t> pixels);
void deleteMonochromeBitmap(MonochromeBitmap& picture);

}  // namespace quarzel::app
