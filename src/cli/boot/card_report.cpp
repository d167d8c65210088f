#include "cli/boot/card_report.h"

#include <cstdio>
#include <fstream>

#include "formats/text_format.h"

namespace quarzel::cli {

CardReport readCardReport(const std::string& logPath) {
  CardReport report;
  std::ifstream log(logPath);
  int breaks = 0;
  for (std::string line; breaks < 2 && std::getline(log, line);) {
    if (line.find("Stopped on MAGIC BREAKPOINT") != std::string::npos) ++breaks;
    if (breaks != 1) continue;
    CardReport::ScreenMode screen{};
    double clock = 0;
    if (const std::size_t at = line.find("switched to "); at != std::string::npos &&
        std::sscanf(line.c_str() + at, "switched to %u x %u x %u @ %u Hz", &screen.width, &screen.height,
                    &screen.bitsPerPixel, &screen.hertz) == 4)
      report.screen = screen;
    if (const std::size_t at = line.find("(pllCtrl0) = "); at != std::string::npos &&
        std::sscanf(line.c_str() + at, "(pllCtrl0) = %lf MHz", &clock) == 1)
      report.pixelClock = clock;
  }
  return report;
}
std::string cardReportLine(std::uint16_t mode, const CardReport& report) {
  std::string line = formatText("mode %02Xh: ", mode);
  if (report.screen)
    line += formatText("%u x %u x %u @ %u Hz", report.screen->width, report.screen->height, report.screen->bitsPerPixel,
                       report.screen->hertz);
  else
    line += "set";
  if (report.pixelClock) line += formatText(", pixel clock %.3f MHz", *report.pixelClock);
  if (!report.screen) line += "; the emulator reports no resolution or refresh for VGA and text modes";
  return line + "\n";
}

}  // namespace quarzel::cli
