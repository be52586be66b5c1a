#include "NumberGenerator.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "BatchRun.h"
#include "ControlIds.h"
#include "Lines.h"
#include "Notices.h"
#include "PageFixture.h"

namespace ovantis {
namespace {

struct NumberPage : test::PageFixture<NumberGenerator> {
    NumberPage& set(const char* low, const char* high, bool integers, bool decimals,
                    const char* places = "2", const char* count = "10") {
        host.texts[ids::kLow] = low;
        host.texts[ids::kHigh] = high;
        host.texts[ids::kPlaces] = places;
        host.texts[ids::kNumberCount] = count;
        host.checks[ids::kIntegerOn] = integers ? 1 : 0;
        host.checks[ids::kFloatOn] = decimals ? 1 : 0;
        return *this;
    }
    std::vector<std::string> generate() {
        BatchRun(page);
        return test::splitLines(host.texts[ids::kNumberOutput]);
    }
};

TEST(NumberGeneration, DefaultsWithSeedOneGiveTheGoldenLines) {
    NumberPage p;
    const std::vector<std::string> expected = {"80.87", "89.60", "100",   "85.89", "98.85",
                                               "97",    "80.26", "87.60", "95.59", "86.22"};
    EXPECT_EQ(p.generate(), expected);
}

TEST(NumberGeneration, DecimalsAreSingleValuesWidenedOnTheGrid) {
    // low, high, places, the extreme a run must reach, whether it is the top
    const std::tuple<const char*, const char*, const char*, const char*, bool> cases[] = {
        {"0", "85.1", "8", "85.09999847", true},  // the top grid point, not 85.10000000
        {"7", "49", "2", "7.00", false},  // rounding lifts a grid point equal to low above it
    };
    for (const auto& [low, high, places, extreme, top] : cases) {
        NumberPage p;
        p.set(low, high, false, true, places);
        ASSERT_TRUE(p.page.Validate());
        bool reached = false;
        for (int i = 0; i < 300000 && !reached; ++i) {
            const std::string line = p.page.MakeNumber();
            ASSERT_GE(std::stod(line), std::stod(low));
            ASSERT_LE(std::stod(line), std::stod(high));
            reached = line == extreme;
        }
        EXPECT_TRUE(reached) << extreme << (top ? " (top)" : " (bottom)");
    }
}

TEST(NumberGeneration, RangesNoDrawCanServeEndWithoutHanging) {
    const std::pair<const char*, const char*> cases[] = {
        {"49", "49"},
        {"100", "100"},
        {"0", "0"},
        {"-3", "-3"},
        {"-0.123456", "-0.123456"},
        {"0.1234559", "0.123456"},  // the only grid point above low is the redraw marker
    };
    for (const auto& [low, high] : cases) {
        NumberPage p;
        p.set(low, high, false, true, "6", "50");
        const auto lines = p.generate();
        ASSERT_EQ(lines.size(), 50u) << low;
        for (const auto& line : lines) {
            EXPECT_NEAR(std::stod(line), std::stod(high), 1e-6) << low << "~" << high;
        }
    }
}

TEST(NumberGeneration, NegativeRangesStayInsideTheirBounds) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"-5", "5", true},        {"-5", "5", false}, {"-100", "-90", false},
        {"-3e38", "3e38", false}, {"-1", "0", false},
    };
    for (const auto& [low, high, integers] : cases) {
        NumberPage p;
        p.set(low, high, integers, !integers, "3", "2000");
        const double lo = std::strtod(low, nullptr);
        const double hi = std::strtod(high, nullptr);
        bool sawNegative = false;
        for (const auto& line : p.generate()) {
            const double value = std::stod(line);
            ASSERT_GE(value, lo - 0.0005) << line;
            ASSERT_LE(value, hi + 0.0005) << line;
            sawNegative = sawNegative || value < 0;
            if (integers) {
                EXPECT_EQ(line.find('.'), std::string::npos);
            }
        }
        EXPECT_TRUE(sawNegative) << low << "~" << high;
    }
}

TEST(NumberGeneration, IntegersUseTruncatedBoundsIn64Bits) {
    NumberPage p;
    p.set("7.9", "7.2", true, false);
    EXPECT_EQ(p.generate(), std::vector<std::string>{}) << "7.9 > 7.2 is rejected";
    NumberPage wide;
    wide.set("-4294967296", "4294967296", true, false, "2", "500");
    bool beyond32Bits = false;
    for (const auto& line : wide.generate()) {
        const long long value = std::stoll(line);
        ASSERT_LE(std::llabs(value), 4294967296LL);
        beyond32Bits = beyond32Bits || std::llabs(value) > 2147483647LL;
    }
    EXPECT_TRUE(beyond32Bits);
    NumberPage same;
    same.set("7", "7.5", true, false, "2", "3");
    EXPECT_EQ(same.generate(), std::vector<std::string>(3, "7"));
}

TEST(NumberGeneration, PlacesShapeTheDecimals) {
    NumberPage none;
    none.set("80", "100", false, true, "0");
    for (const auto& line : none.generate()) {
        EXPECT_EQ(line.find('.'), std::string::npos) << line;
    }
    NumberPage many;
    many.set("-3e38", "3e38", false, true, "100", "50");
    for (const auto& line : many.generate()) {
        EXPECT_EQ(line.size() - line.find('.') - 1, 100u);
    }
}

TEST(NumberValidation, NoticeOrderAndNothingChanged) {
    struct Case {
        bool integers, decimals;
        const char* low;
        const char* high;
        const char* places;
        const char* count;
        const char* notice;
    };
    const Case cases[] = {
        {false, false, "100", "80", "-1", "0", notices::kNoNumberType},
        {true, true, "100", "80", "-1", "0", notices::kBadPlaces},
        {false, true, "0", "1", "101", "10", notices::kBadPlaces},
        {true, false, "100", "80", "-1", "10", notices::kBadRange},
        {true, true, "100", "80", "2", "0", notices::kBadRange},
        {true, true, "1e39", "1e39", "2", "10", notices::kBadRange},
        {false, true, "-1e39", "0", "2", "10", notices::kBadRange},
        {true, false, "0", "1e19", "2", "10", notices::kBadRange},
        {true, false, "-1e19", "0", "2", "0", notices::kBadRange},
        {true, true, "80", "100", "2", "0", notices::kBadCount},
        {true, true, "80", "100", "2", "-7", notices::kBadCount},
    };
    for (const auto& c : cases) {
        NumberPage p;
        p.set(c.low, c.high, c.integers, c.decimals, c.places, c.count);
        p.host.texts[ids::kNumberOutput] = "previous";
        p.random.seed(3);
        BatchRun(p.page);
        EXPECT_EQ(p.host.notices, std::vector<std::string>{c.notice}) << c.low << "~" << c.high;
        EXPECT_EQ(p.host.texts[ids::kNumberOutput], "previous");
        EXPECT_EQ(p.random.snapshot(), 3u);
    }
}

TEST(NumberValidation, DecimalsOffDoNotReadPlacesAndHugeBoundsPass) {
    NumberPage p;
    p.set("1e19", "3e38", false, true, "2", "3");
    EXPECT_EQ(p.generate().size(), 3u) << "decimals alone have no 64-bit limit";
    NumberPage q;
    q.set("80", "100", true, false, "-5", "3");
    EXPECT_EQ(q.generate().size(), 3u) << "places are not read while decimals are off";
}

}  // namespace
}  // namespace ovantis
