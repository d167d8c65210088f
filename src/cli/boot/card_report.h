// What the emulated card reports of a mode the boot floppy set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quarzel::cli {

// What the emulated card logs while the boot sector sets a mode, between
// its two magic breaks:
//   00017302792i[VOODOO] Setting VCLK #3 (pllCtrl0) = 65.028 MHz
//   00017302837i[VVGA  ] switched to 1024 x 768 x 16 @ 60 Hz
// The clock only when the BIOS programs the PLL for the mode (not when it
// picks a fixed VGA clock, as for 640 x 480), the screen only for the card's
// own graphics modes (not for VGA and text modes), its refresh cut to whole
// hertz.
struct CardReport {
  struct ScreenMode {
    unsigned width, height, bitsPerPixel, hertz;
  };
  std::optional<ScreenMode> screen;
  std::optional<double> pixelClock;  // MHz
};

// The report in the emulator's log, between the floppy's two magic breaks.
CardReport readCardReport(const std::string& logPath);

// "mode 117h: 1024 x 768 x 16 @ 60 Hz, pixel clock 65.028 MHz"
std::string cardReportLine(std::uint16_t mode, const CardReport& report);

}  // namespace quarzel::cli
