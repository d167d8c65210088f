// showInDump from call to return, colours included, in the real Dump page, for a
// 64 KiB image: (a) no change, (b) one changed 4096-byte block, (c) a
// 22-byte range shown in blue; and (d) a whole new image, as after a load;
// at the window's first size and maximised, which shows three times the
// lines. Google Benchmark has no mingw-w64 build in Debian, so this program
// times with the performance counter and prints the median and spread of
// repeated runs. Run it under Wine:
//   source scripts/wine-env && xvfb-run -a wine build/windows/quarzel-dump-bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/main_window.h"
#include "app/startup.h"
#include "pages/dump_page.h"
#include "pages/listing_control.h"
#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/tabs.h"

namespace {

using quarzel::app::state;

double millisecondsOf(const std::function<void()>& run) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  run();
  QueryPerformanceCounter(&end);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void report(const char* name, const std::function<void()>& setUp, int offset, int length) {
  constexpr int kRuns = 15;
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    setUp();
    times.push_back(millisecondsOf([&] { quarzel::app::showInDump(offset, length); }));
  }
  std::sort(times.begin(), times.end());
  std::printf("%-34s median %8.1f ms   min %8.1f ms   max %8.1f ms   (%d runs)\n", name, times[kRuns / 2], times.front(),
              times.back(), kRuns);
}

}  // namespace

int main() {
  if (!quarzel::app::startProgram(GetModuleHandleA(nullptr))) return 1;
  auto& s = state();
  s.BiosImage.size = 65536;
  for (std::size_t i = 0; i < 65536; ++i) s.BiosImage.bytes[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
  s.BiosImage.bytes[0] = 0x55;
  s.BiosImage.bytes[1] = 0xAA;
  const quarzel::Image clean = s.BiosImage;
  HWND dump = quarzel::app::pageWindow(quarzel::app::DumpTab);
  quarzel::app::showPage(quarzel::app::DumpTab);  // as the user looks at it
  for (const int show : {SW_SHOWNORMAL, SW_MAXIMIZE}) {
    ShowWindow(s.MainWindow, show);
    SCROLLINFO view{};
    view.cbSize = sizeof view;
    view.fMask = SIF_PAGE;
    GetScrollInfo(GetDlgItem(dump, IDC_DUMP_SCROLL), SB_CTL, &view);
    std::printf("%s, %u lines in view:\n", show == SW_MAXIMIZE ? "maximised" : "at the first size", view.nPage);
    s.BiosImage = clean;
    report("(a) no changes", [&] { s.BiosBackup = clean; }, 0, 0);
    // Each run writes the block anew, so its 256 lines of text change too,
    // the block's start in view.
    std::uint8_t mark = 0;
    report("(b) one 4096-byte changed block", [&] {
      quarzel::app::scrollListingTo(dump, 0x3F8);
      s.BiosBackup = clean;
      ++mark;
      for (std::size_t i = 0x4000; i < 0x5000; ++i) s.BiosImage.bytes[i] = static_cast<std::uint8_t>(clean.bytes[i] ^ mark);
    }, 0, 0);
    s.BiosImage = clean;
    // From the top each time, so that the view moves to the range.
    report("(c) a 22-byte range in blue", [&] {
      quarzel::app::scrollListingTo(dump, 0);
      s.BiosBackup = clean;
    }, 0x7D20, 22);
    // Another 64 KiB image, as after Load BIOS: every line of the text changes.
    report("(d) every line new (a load)", [&] {
      ++mark;
      for (std::size_t i = 2; i < 65536; ++i) s.BiosImage.bytes[i] = static_cast<std::uint8_t>(clean.bytes[i] + mark);
      s.BiosBackup = s.BiosImage;
    }, 0, 0);
  }
  DestroyWindow(s.MainWindow);
  return 0;
}
