#include "TimedRun.h"

#include <gtest/gtest.h>

#include "Lines.h"
#include "Notices.h"
#include "PageFixture.h"

namespace ovantis {
namespace {

struct TimePage : test::PageFixture<TimedRun> {
    TimedRun& run = page;
    // Delivers the armed timer as the platform would.
    void fire() {
        ASSERT_TRUE(host.armedDelay.has_value()) << "no timer armed";
        run.OnTimer(ids::kEventTimer);
    }
};

TEST(TimedRun, CountOneGivesOneLineThenTheNotice) {
    TimePage p;
    p.host.texts[ids::kCountEvents] = "1";
    p.host.now = {2010, 1, 27, 9, 43, 59};
    p.run.StartTimedRun();
    EXPECT_FALSE(p.host.isEnabled(ids::kTimeGenerate));
    EXPECT_EQ(p.host.delays, std::vector<int>{500 + 41 % 2501});
    bool disabledDuringNotice = false;
    p.host.onNotice = [&](const std::string&) {
        disabledDuringNotice = !p.host.isEnabled(ids::kTimeGenerate);
    };
    p.fire();
    EXPECT_EQ(p.host.texts[ids::kTimeOutput], "2010-01-27   09:43:59\r\n");
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kGenerated});
    EXPECT_TRUE(disabledDuringNotice);
    EXPECT_TRUE(p.host.isEnabled(ids::kTimeGenerate));
    EXPECT_FALSE(p.host.armedDelay.has_value());
    EXPECT_FALSE(p.run.running());
}

TEST(TimedRun, SettingsChangedMidRunHaveNoEffect) {
    TimePage p;
    p.host.texts[ids::kCountEvents] = "3";
    p.host.texts[ids::kMinDelay] = "0";
    p.host.texts[ids::kMaxDelay] = "0";
    p.host.checks[ids::kRunExternal] = 1;
    p.host.texts[ids::kCommand] = "/usr/bin/true; touch probe";
    p.run.StartTimedRun();
    p.host.texts[ids::kCountEvents] = "1";
    p.host.texts[ids::kMaxDelay] = "9999";
    p.host.texts[ids::kCommand] = "other";
    p.host.checks[ids::kRunExternal] = 0;
    p.host.texts[ids::kTimeOutput] = "typed during the run";
    for (int i = 0; i < 3; ++i) {
        p.fire();
    }
    EXPECT_EQ(p.host.delays, std::vector<int>(3, 0));
    EXPECT_EQ(p.host.opened, std::vector<std::string>(3, "/usr/bin/true; touch probe"));
    EXPECT_EQ(test::splitLines(p.host.texts[ids::kTimeOutput]).size(), 3u);
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kGenerated});
}

TEST(TimedRun, StrayTimersAndStartsDoNothing) {
    TimePage p;
    p.run.OnTimer(ids::kEventTimer);  // idle: no run to advance
    EXPECT_TRUE(p.host.texts[ids::kTimeOutput].empty());
    p.host.texts[ids::kCountEvents] = "2";
    p.run.StartTimedRun();
    p.run.OnTimer(7);
    EXPECT_TRUE(p.host.texts[ids::kTimeOutput].empty());
    p.run.StartTimedRun();  // Generate is disabled; a second start is ignored
    EXPECT_EQ(p.host.delays.size(), 1u);
    p.fire();
    p.fire();
    EXPECT_EQ(test::splitLines(p.host.texts[ids::kTimeOutput]).size(), 2u);
    p.run.OnTimer(ids::kEventTimer);
    EXPECT_EQ(test::splitLines(p.host.texts[ids::kTimeOutput]).size(), 2u);
    EXPECT_EQ(p.host.notices.size(), 1u);
}

TEST(TimedRun, NegativeDelaysArmAsZero) {
    TimePage p;
    p.host.texts[ids::kMinDelay] = "-2147483648";
    p.host.texts[ids::kMaxDelay] = "-5";
    p.host.texts[ids::kCountEvents] = "4";
    p.run.StartTimedRun();
    for (int i = 0; i < 4; ++i) {
        p.fire();
    }
    EXPECT_EQ(p.host.delays, std::vector<int>(4, 0));
}

TEST(TimeValidation, NoticeOrderAndNothingChanged) {
    struct Case {
        int runExternal;
        const char* command;
        const char* minDelay;
        const char* maxDelay;
        const char* count;
        const char* notice;
    };
    const Case cases[] = {
        {1, "", "3000", "500", "0", notices::kNoCommand},
        {0, "", "3000", "500", "0", notices::kBadDelay},
        {1, "x", "500", "3000", "0", notices::kBadCount},
        {0, "", "0", "0", "-1", notices::kBadCount},
        {0, "", "0", "0", "1000001", nullptr},  // refused by the output limit
    };
    for (const auto& c : cases) {
        TimePage p;
        p.host.checks[ids::kRunExternal] = c.runExternal;
        p.host.texts[ids::kCommand] = c.command;
        p.host.texts[ids::kMinDelay] = c.minDelay;
        p.host.texts[ids::kMaxDelay] = c.maxDelay;
        p.host.texts[ids::kCountEvents] = c.count;
        p.host.texts[ids::kTimeOutput] = "previous";
        p.random.seed(8);
        p.run.StartTimedRun();
        ASSERT_EQ(p.host.notices.size(), 1u);
        if (c.notice != nullptr) {
            EXPECT_EQ(p.host.notices[0], c.notice);
        } else {
            EXPECT_NE(p.host.notices[0].find("1000000"), std::string::npos);
        }
        EXPECT_EQ(p.host.texts[ids::kTimeOutput], "previous");
        EXPECT_TRUE(p.host.delays.empty());
        EXPECT_TRUE(p.host.isEnabled(ids::kTimeGenerate));
        EXPECT_EQ(p.random.snapshot(), 8u);
    }
}

}  // namespace
}  // namespace ovantis
