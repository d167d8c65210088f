#include "analysis/registers/pll_search.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "analysis/registers/registers.h"
#include "formats/number_text.h"

namespace quarzel {
namespace {

std::uint32_t nearestN(std::uint32_t k, std::uint32_t m, double target) {
  return nearestPllSetting(k, m, 0, target).dividers.n;
}

TEST(NearestPllSetting, ExactNearestHalfwayAndLimits) {
  EXPECT_EQ(nearestN(1, 3, pllFrequency(0x00004A0D)), 74u);
  EXPECT_EQ(nearestN(1, 3, 108.818), 74u);
  EXPECT_EQ(nearestN(1, 3, 100), 68u);  // 100.227 against 98.7954
  // Typed as the exact halfway clock (K 1, M 3: N 74 and 75; K 0, M 0: N 0
  // and 1), the lower N; just past it, the upper.
  EXPECT_EQ(nearestN(1, 3, 109.534077), 74u);
  EXPECT_EQ(nearestN(1, 3, 109.534078), 75u);
  EXPECT_EQ(nearestN(0, 0, 17.897725), 0u);
  EXPECT_EQ(nearestN(0, 0, 17.8977251), 1u);
  EXPECT_EQ(nearestPllSetting(2, 7, 1, 100).value, pllValue(2, 7, 249, 1));
  // Out of reach: the ends of N's range, and saying so.
  const PllSetting low = nearestPllSetting(1, 3, 0, 0.001), high = nearestPllSetting(1, 3, 0, 5000);
  EXPECT_EQ(low.dividers.n, 0u);
  EXPECT_EQ(high.dividers.n, 255u);
  EXPECT_TRUE(pastNRange(low, 0.001) && pastNRange(high, 5000));
  EXPECT_FALSE(pastNRange(high, high.megahertz) || pastNRange(nearestPllSetting(1, 3, 0, 100), 100));
  EXPECT_EQ(nearestN(1, 3, std::nan("")), 0u);
  EXPECT_EQ(frequencyText(highestPllFrequency()), "1839.89 MHz");
}

TEST(RankedPllSettings, EveryKAndMOnceNearestFirstEqualOnesInKAndMOrder) {
  const double target = pllFrequency(0x00004A0D);  // (N + 2) / ((M + 2) * 2^K) = 7.6
  const std::vector<PllSetting> ranked = rankedPllSettings(target, 1);
  for (std::size_t i = 0; i < ranked.size(); ++i) {
    const PllSetting& s = ranked[i];
    EXPECT_EQ(s.value, nearestPllSetting(s.dividers.k, s.dividers.m, 1, target).value);
    if (i == 0) continue;
    const PllSetting& previous = ranked[i - 1];
    const double before = std::fabs(previous.megahertz - target), now = std::fabs(s.megahertz - target);
    if (std::fabs(before - now) < 1e-9)
      EXPECT_LT(std::pair(previous.dividers.k, previous.dividers.m), std::pair(s.dividers.k, s.dividers.m)) << i;
    else
      EXPECT_LT(before, now) << i;
  }
  EXPECT_EQ(ranked.size(), 256u);
  EXPECT_EQ(ranked[0].value, 0x0001240Cu);  // K 0, M 3, N 36: exact, like K 0, M 8, N 74 after it
}

TEST(ReadDecimalFraction, DigitsWithAnOptionalFractionOnly) {
  EXPECT_EQ(readDecimalFraction("100"), 100.0);
  EXPECT_EQ(readDecimalFraction("007.250"), 7.25);
  for (const char* text : {"", ".5", "5.", "1.2.3", "-1", "+1", " 1", "1 ", "1e3", "nan", "inf", "1,5", "0x10"})
    EXPECT_EQ(readDecimalFraction(text), std::nullopt) << '"' << text << '"';
  EXPECT_EQ(readDecimalFraction("1" + std::string(400, '0')), std::nullopt);  // past a double
}

// Rounded once to the nearest double, ties to even, as the standard
// library's reader rounds: the same clock on every build.
TEST(ReadDecimalFraction, RoundsAsTheStandardReaderDoes) {
  std::vector<std::string> texts = {"108.8", "143.17", "0.1", "9007199254740993", "9007199254740995",
                                    "0.30000000000000001665", "2.2250738585072014e-308", "4.9406564584124654"};
  std::mt19937 random(1998);
  for (int i = 0; i < 20000; ++i) {
    std::string text(1 + random() % 24, '0');
    for (char& c : text) c = static_cast<char>('0' + random() % 10);
    if (random() % 4) text.insert(1 + random() % text.size(), ".");
    if (text.back() == '.') text += '5';
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    double wanted = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), wanted, std::chars_format::fixed);
    if (read.ec != std::errc() || read.ptr != text.data() + text.size()) continue;  // "e-308" and the like
    const auto got = readDecimalFraction(text);
    ASSERT_TRUE(got) << text;
    EXPECT_EQ(*got, wanted) << text;
  }
}

}  // namespace
}  // namespace quarzel
