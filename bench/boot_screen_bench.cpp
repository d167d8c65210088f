// How long the boot screen takes to draw from an analysed image: the text
// page of a real BIOS, and the logo screen of the same BIOS with a 64 x 48
// logo installed. The aim is under 10 ms, so that the window can redraw it
// after every Apply.
#include <benchmark/benchmark.h>

#include "analysis/analysis_pass.h"
#include "analysis/boot_screen/boot_screen.h"
#include "analysis/logo/logo_edit.h"
#include "support/bmp_file.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

void draw(benchmark::State& state, const Image& image) {
  BiosLayout layout;
  AnalysisPass(image, layout);
  // The window keeps its picture and redraws into it.
  BootScreen screen;
  for (auto _ : state) {
    drawBootScreen(image, layout, {}, screen);
    benchmark::DoNotOptimize(screen.pixels.data());
  }
}

std::optional<Image> real3k12sd(benchmark::State& state) {
  auto image = test::readRealRom(test::k3k12sd);
  if (!image) state.SkipWithError((std::string(test::kRealImageAbsent) + test::k3k12sd.file).c_str());
  return image;
}

void BM_BootScreen_TextPage(benchmark::State& state) {
  if (const auto image = real3k12sd(state)) draw(state, *image);
}

void BM_BootScreen_Logo(benchmark::State& state) {
  auto image = real3k12sd(state);
  if (!image) return;
  BiosLayout layout;
  AnalysisPass(*image, layout);
  const auto picture = readLogoPicture(test::paintedBars(48, {9, 10, 12, 14})).picture;
  if (!picture || !applyLogo(*image, layout, *picture, logoLinesWith(layout, {})).ok()) {
    state.SkipWithError("the logo could not be installed");
    return;
  }
  draw(state, *image);
}

BENCHMARK(BM_BootScreen_TextPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BootScreen_Logo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quarzel
