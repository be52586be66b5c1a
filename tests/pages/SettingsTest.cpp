#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

#include "Notices.h"
#include "NumberGenerator.h"
#include "RandomSource.h"
#include "SettingsCheck.h"
#include "TestKeys.h"
#include "TimeSettings.h"

namespace ovantis {
namespace {

// Each row's settings get the row's notice (nullptr: none).
template <class Settings, std::size_t N>
void expectNotices(const std::pair<Settings, const char*> (&cases)[N]) {
    for (std::size_t row = 0; row < N; ++row) {
        EXPECT_EQ(check(cases[row].first).notice, cases[row].second) << "row " << row;
    }
}

// Each row breaks some rules; the notice is the first in the page's order.
TEST(StringSettingsCheck, NoticeFollowsThePageOrder) {
    const std::pair<StringSettings, const char*> cases[] = {
        {{.upper = false, .lower = false, .minLength = 8, .maxLength = 5, .count = 0},
         notices::kNoCharClass},
        {{.lower = false, .minLength = 8, .maxLength = 5, .count = 0}, notices::kBadLength},
        {{.digits = true, .minLength = 2147483647, .maxLength = -2147483647 - 1},
         notices::kBadLength},
        {{.upper = false, .minLength = 5, .maxLength = 8, .count = 0}, notices::kBadCount},
        {{.upper = false, .lower = false, .digits = true, .maxLength = 5, .count = 1}, nullptr}};
    expectNotices(cases);
}

// Each value stays one line: a character that ends a line is refused where it
// would be written, and head and tail must be UTF-8 as the sets are.
TEST(StringSettingsCheck, TextThatWouldBreakALineIsRefused) {
    const std::pair<StringSettings, const char*> cases[] = {
        {{.charset = "a\tb"}, notices::kBadCharset},
        {{.charset = "\x01-z"}, notices::kBadCharset},
        {{.charset = " -\U0010FFFF"}, nullptr},  // the range skips them
        {{.exclude = "\n"}, nullptr},
        {{.head = "\u2028"}, notices::kBadCharset},
        {{.head = "\u00E9\u009B31m"}, notices::kBadCharset},  // a C1 control, CSI
        {{.tail = "\x7F"}, notices::kBadCharset},
        {{.tail = "\xFF"}, notices::kBadCharset},
        {{.head = "\xED\xA0\x80"}, notices::kBadCharset},  // a surrogate
        {{.head = "user_", .tail = "@\u4F8B\u5B50.com"}, nullptr}};
    expectNotices(cases);
}

TEST(NumberSettingsCheck, NoticeFollowsThePageOrder) {
    const float inf = std::numeric_limits<float>::infinity();
    const float two63 = 9223372036854775808.0f;
    // integers, decimals, low, high, count, places
    const std::pair<NumberSettings, const char*> cases[] = {
        {{false, false, 100, 80, 0, -1}, notices::kNoNumberType},
        {{true, true, 100, 80, 0, -1}, notices::kBadPlaces},
        {{false, true, 0, 1, 10, 101}, notices::kBadPlaces},
        {{false, true, 0, 1, 10, 0}, nullptr},
        {{false, true, 0, 1, 10, 100}, nullptr},
        {{true, false, 100, 80, 10, -1}, notices::kBadRange},  // places unread without decimals
        {{true, true, inf, inf, 10, 2}, notices::kBadRange},
        {{false, true, -inf, 0, 10, 2}, notices::kBadRange},
        {{true, false, 0, 1e19f, 10, 2}, notices::kBadRange},  // beyond 64 bits
        {{true, false, two63, two63, 10, 2}, notices::kBadRange},
        {{true, false, -two63, -9e18f, 10, 2}, nullptr},
        {{true, false, 0.2f, 0.8f, 10, 2}, notices::kBadRange},  // no whole number inside
        {{true, true, 0.2f, 0.8f, 10, 2}, notices::kBadRange},
        {{false, true, 0.2f, 0.8f, 10, 2}, nullptr},
        // No decimal with the given places inside; bounds count as typed.
        {{false, true, 0.1f, 0.9f, 10, 0}, notices::kBadRange},
        {{false, true, 0.123f, 0.123f, 10, 2}, notices::kBadRange},
        {{false, true, -0.9f, -0.1f, 10, 0}, notices::kBadRange},
        {{false, true, 0.1f, 0.1f, 10, 1}, nullptr},
        {{false, true, -0.5f, 0.5f, 10, 0}, nullptr},
        {{false, true, 1e19f, 3e38f, 10, 2}, nullptr},  // decimals have no 64-bit limit
        {{true, true, 80, 100, 0, 2}, notices::kBadCount},
        {{true, true, 7, 7, 1, 2}, nullptr}};
    expectNotices(cases);
}

TEST(TimeSettingsCheck, NoticeFollowsThePageOrder) {
    // runExternal, command, minDelay, maxDelay, count
    const std::pair<TimeSettings, const char*> cases[] = {
        {{true, "", 3000, 500, 0}, notices::kNoCommand},
        {{false, "", 3000, 500, 0}, notices::kBadDelay},
        {{true, "x", 500, 3000, 0}, notices::kBadCount},
        {{false, "", -5, -5, 1}, nullptr}};
    expectNotices(cases);
}

TEST(TimeSteps, DelaysAreDrawnInRangeAndNegativeOnesCountAsNone) {
    RandomSource random;
    EXPECT_EQ(drawDelay({false, "", 700, 700}, random), 700);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(drawDelay({false, "", INT32_MIN, -5}, random), 0);
    }
}

TEST(TimeSteps, EventLinesSpaceDateAndTimeOrWriteThemInIso8601) {
    const std::tuple<LocalTime, bool, const char*> rows[] = {
        {{2026, 12, 8, 1, 2, 3, 60}, false, "2026-12-08   01:02:03"},
        {{2026, 12, 8, 1, 2, 3, 330}, true, "2026-12-08T01:02:03+05:30"},
        {{2026, 1, 2, 23, 59, 59, -210}, true, "2026-01-02T23:59:59-03:30"},
        {{2026, 1, 2, 0, 0, 0, 0}, true, "2026-01-02T00:00:00+00:00"},
    };
    for (const auto& [time, iso, line] : rows) {
        EXPECT_EQ(eventLine(time, iso), line);
    }
}

// Bounds read from their text as each source reads them: the secure source
// takes the typed decimal, the classic source its float. Each range holds one
// line, or none ("").
TEST(NumberGeneration, SecureSourceReadsBoundsAsTypedClassicAsFloats) {
    const auto S = RandomSource::Kind::Secure, C = RandomSource::Kind::Classic;
    const std::string tiny = "0." + std::string(49, '0') + "1" + std::string(10, '0');
    // low, high (nullptr: low), integers, decimals, places, source, line
    const std::tuple<const char*, const char*, bool, bool, int, RandomSource::Kind, std::string>
        cases[] = {
            {"16777217", nullptr, true, false, 0, S, "16777217"},
            {"16777217", nullptr, true, false, 0, C, "16777216"},
            {"16777217", "16777216", true, false, 0, S, ""},
            {"1.1e10", nullptr, true, false, 0, S, "11000000000"},
            {"1.1e10", nullptr, false, true, 0, S, "11000000000"},
            {"1.1e10", nullptr, true, false, 0, C, "11000000512"},
            {"0.123456789", nullptr, false, true, 9, S, "0.123456789"},
            {"0.123456789", nullptr, false, true, 9, C, "0.123456791"},
            {"1e-50", nullptr, false, true, 60, S, tiny},
            {"-9223372036854775808", nullptr, true, true, 0, S, "-9223372036854775808"},
            {"9223372036854775807", nullptr, true, false, 0, S, "9223372036854775807"},
            {"9223372036854775808", nullptr, true, false, 0, S, ""},  // beyond 64 bits
            {"3.4028236e38", nullptr, false, true, 0, S, ""},         // beyond single precision
        };
    for (const auto& [low, high, integers, decimals, places, kind, line] : cases) {
        SCOPED_TRACE(testing::Message() << low << " places " << places << " kind " << (kind == S));
        RandomSource random(kind, {}, test::testKeys);
        const NumberSettings s = readBoundsBy(
            {integers, decimals, *Bound::read(low), *Bound::read(high ? high : low), 1, places},
            random);
        ASSERT_EQ(!check(s), !line.empty());
        if (!line.empty()) {
            NumberGenerator generator(s, random);
            std::string made;
            generator.appendLine(made);
            EXPECT_EQ(made, line);
            EXPECT_EQ(generator.possibleLines(), 1u);
        }
    }
}

}  // namespace
}  // namespace ovantis
