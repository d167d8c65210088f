#include "analysis/pll_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <utility>

#include "analysis/registers.h"
#include "formats/number_text.h"

namespace quarzel {
namespace {

std::uint32_t nearestN(std::uint32_t k, std::uint32_t m, double target) {
  return nearestPllSetting(k, m, 0, target).dividers.n;
}

TEST(NearestPllSetting, ExactNearestHalfwayAndLimits) {
  // An exact clock, and the decimal text of it that a user types.
  EXPECT_EQ(nearestN(1, 3, pllFrequency(0x00004A0D)), 74u);
  EXPECT_EQ(nearestPllSetting(1, 3, 0, 108.818).value, 0x00004A0Du);
  EXPECT_EQ(nearestN(1, 3, 100), 68u);  // 100.227 against 98.7954
  // Halfway between two clocks (K 1, M 3: N 74 and 75, 1.431818 MHz apart;
  // K 0, M 0: N 0 and 1) takes the lower N; just past it, the upper.
  EXPECT_EQ(nearestN(1, 3, 109.534077), 74u);
  EXPECT_EQ(nearestN(1, 3, 109.534078), 75u);
  EXPECT_EQ(nearestN(1, 3, 109.534076), 74u);
  EXPECT_EQ(nearestN(0, 0, 17.897725), 0u);
  EXPECT_EQ(nearestN(0, 0, 17.8977251), 1u);
  // K, M and the test bit are kept; bits above 16 are 0.
  const PllSetting kept = nearestPllSetting(2, 7, 1, 100);
  EXPECT_EQ(kept.dividers.k, 2u);
  EXPECT_EQ(kept.dividers.m, 7u);
  EXPECT_EQ(kept.dividers.test, 1u);
  EXPECT_EQ(kept.value >> 16, 1u);
  EXPECT_EQ(kept.megahertz, pllFrequency(kept.value));
  // Targets out of reach take the end of N's range, and say so.
  const PllSetting low = nearestPllSetting(1, 3, 0, 0.001), high = nearestPllSetting(1, 3, 0, 5000);
  EXPECT_EQ(low.dividers.n, 0u);
  EXPECT_EQ(high.dividers.n, 255u);
  EXPECT_TRUE(pastNRange(low, 0.001));
  EXPECT_TRUE(pastNRange(high, 5000));
  EXPECT_FALSE(pastNRange(high, high.megahertz));
  EXPECT_FALSE(pastNRange(nearestPllSetting(1, 3, 0, 100), 100));
  EXPECT_EQ(nearestN(1, 3, std::nan("")), 0u);
  EXPECT_EQ(frequencyText(highestPllFrequency()), "1839.89 MHz");
}

TEST(RankedPllSettings, EveryKAndMOnceNearestFirstEqualOnesInKAndMOrder) {
  const double target = pllFrequency(0x00004A0D);  // 108.818: (N + 2) / ((M + 2) * 2^K) = 7.6
  const std::vector<PllSetting> ranked = rankedPllSettings(target, 1);
  ASSERT_EQ(ranked.size(), 256u);
  std::set<std::pair<std::uint32_t, std::uint32_t>> dividers;
  for (std::size_t i = 0; i < ranked.size(); ++i) {
    const PllSetting& s = ranked[i];
    dividers.insert({s.dividers.k, s.dividers.m});
    EXPECT_EQ(s.dividers.test, 1u);
    EXPECT_EQ(s.dividers.n, nearestPllSetting(s.dividers.k, s.dividers.m, 1, target).dividers.n);
    if (i == 0) continue;
    const PllSetting& previous = ranked[i - 1];
    const double before = std::fabs(previous.megahertz - target), now = std::fabs(s.megahertz - target);
    if (std::fabs(before - now) < 1e-9)
      EXPECT_LT(std::pair(previous.dividers.k, previous.dividers.m), std::pair(s.dividers.k, s.dividers.m)) << i;
    else
      EXPECT_LT(before, now) << i;
  }
  EXPECT_EQ(dividers.size(), 256u);
  // The exact ones lead: K 0 with M 3, N 36 and with M 8, N 74, ...
  EXPECT_EQ(ranked[0].value, 0x0001240Cu);
  EXPECT_EQ(ranked[1].value, 0x00014A20u);
}

TEST(ReadDecimalFraction, DigitsWithAnOptionalFractionOnly) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"100", 100.0}, {"108.8", 108.8}, {"0.5", 0.5}, {"007.250", 7.25}, {"0", 0.0},
      {"", std::nullopt}, {".5", std::nullopt}, {"5.", std::nullopt}, {"1.2.3", std::nullopt},
      {"-1", std::nullopt}, {"+1", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt},
      {"1e3", std::nullopt}, {"nan", std::nullopt}, {"inf", std::nullopt}, {"1,5", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(readDecimalFraction(text), value) << '"' << text << '"';
  // Beyond a double is refused, not infinite.
  EXPECT_EQ(readDecimalFraction("1" + std::string(400, '0')), std::nullopt);
}

}  // namespace
}  // namespace quarzel
