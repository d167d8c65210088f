#include "analysis/modes/standard_timings.h"

namespace quarzel {

namespace {

constexpr bool kPositive = true, kNegative = false;

constexpr StandardTiming kTimings[] = {
    {640, 400, 85, 31.5, 832, 672, 64, 445, 401, 3, kNegative, kPositive},
    {640, 480, 60, 25.175, 800, 656, 96, 525, 490, 2, kNegative, kNegative},
    {640, 480, 72, 31.5, 832, 664, 40, 520, 489, 3, kNegative, kNegative},
    {640, 480, 75, 31.5, 840, 656, 64, 500, 481, 3, kNegative, kNegative},
    {640, 480, 85, 36.0, 832, 696, 56, 509, 481, 3, kNegative, kNegative},
    {800, 600, 56, 36.0, 1024, 824, 72, 625, 601, 2, kPositive, kPositive},
    {800, 600, 60, 40.0, 1056, 840, 128, 628, 601, 4, kPositive, kPositive},
    {800, 600, 72, 50.0, 1040, 856, 120, 666, 637, 6, kPositive, kPositive},
    {800, 600, 75, 49.5, 1056, 816, 80, 625, 601, 3, kPositive, kPositive},
    {800, 600, 85, 56.25, 1048, 832, 64, 631, 601, 3, kPositive, kPositive},
    {1024, 768, 60, 65.0, 1344, 1048, 136, 806, 771, 6, kNegative, kNegative},
    {1024, 768, 70, 75.0, 1328, 1048, 136, 806, 771, 6, kNegative, kNegative},
    {1024, 768, 75, 78.75, 1312, 1040, 96, 800, 769, 3, kPositive, kPositive},
    {1024, 768, 85, 94.5, 1376, 1072, 96, 808, 769, 3, kPositive, kPositive},
    {1280, 1024, 60, 108.0, 1688, 1328, 112, 1066, 1025, 3, kPositive, kPositive},
    {1280, 1024, 75, 135.0, 1688, 1296, 144, 1066, 1025, 3, kPositive, kPositive},
    {1280, 1024, 85, 157.5, 1728, 1344, 160, 1072, 1025, 3, kPositive, kPositive},
};

}  // namespace

std::span<const StandardTiming> standardTimings() { return kTimings; }

}  // namespace quarzel
