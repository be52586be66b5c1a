#include <gtest/gtest.h>

#include <limits>

#include "Notices.h"
#include "NumberSettings.h"
#include "RandomSource.h"
#include "StringSettings.h"
#include "TimeSettings.h"

namespace ovantis {
namespace {

// Each row breaks some rules; the notice is the first in the page's order.
TEST(StringSettingsCheck, NoticeFollowsThePageOrder) {
    struct Case {
        bool upper, lower, digits;
        std::int32_t minLength, maxLength, count;
        const char* notice;
    } const cases[] = {
        {false, false, false, 8, 5, 0, notices::kNoCharClass},
        {true, false, false, 8, 5, 0, notices::kBadLength},
        {false, false, true, 2147483647, -2147483647 - 1, 1, notices::kBadLength},
        {false, true, false, 5, 8, 0, notices::kBadCount},
        {false, false, true, 5, 5, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minLength << "~" << c.maxLength << " n=" << c.count);
        StringSettings s;
        s.upper = c.upper;
        s.lower = c.lower;
        s.digits = c.digits;
        s.minLength = c.minLength;
        s.maxLength = c.maxLength;
        s.count = c.count;
        EXPECT_EQ(check(s), c.notice);
    }
}

TEST(NumberSettingsCheck, NoticeFollowsThePageOrder) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        bool integers, decimals;
        float low, high;
        std::int32_t places, count;
        const char* notice;
    } const cases[] = {
        {false, false, 100, 80, -1, 0, notices::kNoNumberType},
        {true, true, 100, 80, -1, 0, notices::kBadPlaces},
        {false, true, 0, 1, 101, 10, notices::kBadPlaces},
        {false, true, 0, 1, 100, 10, nullptr},
        {true, false, 100, 80, -1, 10, notices::kBadRange},  // places unread without decimals
        {true, true, inf, inf, 2, 10, notices::kBadRange},
        {false, true, -inf, 0, 2, 10, notices::kBadRange},
        {true, false, 0, 1e19f, 2, 10, notices::kBadRange},  // beyond 64 bits
        {true, false, 9223372036854775808.0f, 9223372036854775808.0f, 2, 10, notices::kBadRange},
        {true, false, -9223372036854775808.0f, -9e18f, 2, 10, nullptr},
        {true, false, 0.2f, 0.8f, 2, 10, notices::kBadRange},  // no whole number inside
        {true, true, 0.2f, 0.8f, 2, 10, notices::kBadRange},
        {false, true, 0.2f, 0.8f, 2, 10, nullptr},
        {false, true, 1e19f, 3e38f, 2, 10, nullptr},  // decimals have no 64-bit limit
        {true, true, 80, 100, 2, 0, notices::kBadCount},
        {true, true, 7, 7, 2, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << "~" << c.high << " places " << c.places);
        NumberSettings s;
        s.integerOn = c.integers;
        s.decimalOn = c.decimals;
        s.low = c.low;
        s.high = c.high;
        s.places = c.places;
        s.count = c.count;
        EXPECT_EQ(check(s), c.notice);
    }
}

TEST(TimeSettingsCheck, NoticeFollowsThePageOrder) {
    struct Case {
        bool runExternal;
        const char* command;
        std::int32_t minDelay, maxDelay, count;
        const char* notice;
    } const cases[] = {
        {true, "", 3000, 500, 0, notices::kNoCommand},
        {false, "", 3000, 500, 0, notices::kBadDelay},
        {true, "x", 500, 3000, 0, notices::kBadCount},
        {false, "", -5, -5, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minDelay << "~" << c.maxDelay);
        TimeSettings s;
        s.runExternal = c.runExternal;
        s.command = c.command;
        s.minDelay = c.minDelay;
        s.maxDelay = c.maxDelay;
        s.count = c.count;
        EXPECT_EQ(check(s), c.notice);
    }
}

TEST(TimeSteps, DelaysAreDrawnInRangeAndNegativeOnesCountAsNone) {
    RandomSource random;
    random.seed(1);
    TimeSettings s;
    s.minDelay = 700;
    s.maxDelay = 700;
    EXPECT_EQ(drawDelay(s, random), 700);
    s.minDelay = -2147483647 - 1;
    s.maxDelay = -5;
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(drawDelay(s, random), 0);
    }
    EXPECT_EQ(eventLine({2010, 1, 27, 9, 43, 59}), "2010-01-27   09:43:59");
}

}  // namespace
}  // namespace ovantis
