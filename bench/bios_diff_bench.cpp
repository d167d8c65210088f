// How long a comparison of two real 64 KiB BIOS images takes, with the
// analysis of both, and the carry-over that compares a third time.
#include <benchmark/benchmark.h>

#include "analysis/analysis_pass.h"
#include "analysis/compare/bios_diff.h"
#include "analysis/compare/carry_over.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

template <typename Compare>
void compareRealPair(benchmark::State& state, Compare compare) {
  const auto a = test::readRealRom(test::k3k12sd), b = test::readRealRom(test::kV3_3500Compaq);
  if (!a || !b) {
    state.SkipWithError(
        (std::string(test::kRealImageAbsent) + test::k3k12sd.file + ", " + test::kV3_3500Compaq.file).c_str());
    return;
  }
  for (auto _ : state) {
    BiosLayout layoutA, layoutB;
    AnalysisPass(*a, layoutA);
    AnalysisPass(*b, layoutB);
    benchmark::DoNotOptimize(compare(*a, layoutA, *b, layoutB));
  }
}

void BM_DiffBios_RealPair64KiB(benchmark::State& state) { compareRealPair(state, diffBios); }

void BM_CarryOver_RealPair64KiB(benchmark::State& state) {
  compareRealPair(state, [](const Image& a, const BiosLayout& la, const Image& b, const BiosLayout& lb) {
    return carryOver(a, la, b, lb, {});
  });
}

BENCHMARK(BM_DiffBios_RealPair64KiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CarryOver_RealPair64KiB)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quarzel
