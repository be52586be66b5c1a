#include "RandomSource.h"

#include <gtest/gtest.h>

#include <set>

namespace ovantis {
namespace {

TEST(ClassicSource, SeedOneGivesTheClassicRuntimeSequence) {
    RandomSource random;
    random.seed(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(random.draw(), expected);
    }
}

TEST(ClassicSource, ReseedTakesTheClockSecondModulo2To32) {
    std::time_t now = 1;
    RandomSource random(RandomSource::Kind::Classic, [&] { return now; });
    random.Reseed();
    EXPECT_EQ(random.draw(), 41);
    now = std::time_t{1} + (std::time_t{1} << 32);
    random.Reseed();
    EXPECT_EQ(random.draw(), 41);
}

TEST(RandInRange, NarrowRangesTakeOneDrawModuloWidth) {
    RandomSource random;
    random.seed(1);
    EXPECT_EQ(random.RandInRange(5, 5), 5);
    EXPECT_EQ(random.draw(), 18467) << "a one-value range still consumes its draw";

    // The draws 41, 18467, 6334, 26500 reduced into 1..3.
    random.seed(1);
    for (int draw : {41, 18467, 6334, 26500}) {
        EXPECT_EQ(random.RandInRange(1, 3), 1 + draw % 3);
    }
}

TEST(RandInRange, WideRangesReachTheirTop) {
    RandomSource random;
    random.seed(7);
    bool sawTop = false;
    for (int i = 0; i < 2000000 && !sawTop; ++i) {
        const auto value = random.RandInRange(0, 100000);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 100000);
        sawTop = value == 100000;
    }
    EXPECT_TRUE(sawTop);
}

TEST(RandInRange, ExtremeRangesStayInsideWithoutOverflow) {
    const std::pair<std::int64_t, std::int64_t> ranges[] = {
        {INT32_MIN, INT32_MAX},
        {INT64_MIN, INT64_MAX},
        {INT64_MIN, INT64_MIN + 40000},
        {INT64_MAX - 40000, INT64_MAX},
        {-1, 32766},
    };
    for (auto kind : {RandomSource::Kind::Classic, RandomSource::Kind::Secure}) {
        RandomSource random(kind);
        for (const auto& [low, high] : ranges) {
            for (int i = 0; i < 2000; ++i) {
                const auto value = random.RandInRange(low, high);
                ASSERT_GE(value, low);
                ASSERT_LE(value, high);
            }
        }
    }
}

TEST(RandInRange, FoldedDrawsAreReproducible) {
    RandomSource a;
    RandomSource b;
    a.seed(123);
    b.seed(123);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(a.RandInRange(-5000000000LL, 5000000000LL),
                  b.RandInRange(-5000000000LL, 5000000000LL));
    }
}

TEST(SecureSource, CoversSmallRangesAndIgnoresReseed) {
    RandomSource random(RandomSource::Kind::Secure, [] { return std::time_t{1}; });
    random.Reseed();
    std::set<std::int64_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const auto value = random.RandInRange(1, 3);
        ASSERT_GE(value, 1);
        ASSERT_LE(value, 3);
        seen.insert(value);
        const int d = random.draw();
        ASSERT_GE(d, 0);
        ASSERT_LE(d, 32767);
    }
    EXPECT_EQ(seen.size(), 3u);
}

}  // namespace
}  // namespace ovantis
