// How long the analysis pass takes on a 64 KiB image: a real BIOS, where
// most searches stop early, and images in which no search finds anything,
// so that every one scans to its end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "analysis/analysis_pass.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

void runPass(benchmark::State& state, const Image& image) {
  BiosLayout layout;
  for (auto _ : state) {
    AnalysisPass(image, layout);
    benchmark::DoNotOptimize(layout);
  }
}

Image filled(std::uint8_t byte) {
  Image image;
  image.bytes.fill(byte);
  image.bytes[0] = 0x55;
  image.bytes[1] = 0xAA;
  return image;
}

// x86 code is dense in the bytes the signatures start with (66h, 8Dh, B8h,
// BEh ...): random bytes drawn from such a mix make the first-byte jumps
// short, the hardest case for the search.
Image codeLike() {
  static constexpr std::uint8_t kCommon[] = {0x66, 0x8D, 0x54, 0xB8, 0xBE, 0xBF, 0xB7, 0x26, 0x2E, 0xEF,
                                             0x0E, 0xC7, 0x06, 0x8B, 0xE8, 0xF3, 0x83, 0x50, 0x0E, 0x07};
  std::mt19937 random(1999);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kCommon) - 1);
  Image image;
  for (auto& byte : image.bytes) byte = kCommon[pick(random)];
  image.bytes[0] = 0x55;
  image.bytes[1] = 0xAA;
  return image;
}

void BM_AnalysisPass_RealBios64KiB(benchmark::State& state) {
  const auto image = test::readRealRom(test::k3k12sd);
  if (!image) {
    state.SkipWithError((std::string(test::kRealImageAbsent) + test::k3k12sd.file).c_str());
    return;
  }
  runPass(state, *image);
}

// The same BIOS bytes back to front: the byte mix of real code and data, in
// which no signature occurs, so every search runs to its end.
void BM_AnalysisPass_RealBiosReversed64KiB(benchmark::State& state) {
  auto image = test::readRealRom(test::k3k12sd);
  if (!image) {
    state.SkipWithError((std::string(test::kRealImageAbsent) + test::k3k12sd.file).c_str());
    return;
  }
  std::reverse(image->bytes.begin() + 2, image->bytes.end());
  runPass(state, *image);
}

void BM_AnalysisPass_AllZero64KiB(benchmark::State& state) { runPass(state, filled(0x00)); }
void BM_AnalysisPass_AllFF64KiB(benchmark::State& state) { runPass(state, filled(0xFF)); }
void BM_AnalysisPass_CodeLikeNoMatch64KiB(benchmark::State& state) { runPass(state, codeLike()); }

BENCHMARK(BM_AnalysisPass_RealBios64KiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalysisPass_RealBiosReversed64KiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalysisPass_AllZero64KiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalysisPass_AllFF64KiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalysisPass_CodeLikeNoMatch64KiB)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quarzel

BENCHMARK_MAIN();
