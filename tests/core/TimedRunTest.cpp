#include "TimedRun.h"

#include <gtest/gtest.h>

#include "ControlIds.h"
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
    std::size_t lines() { return test::lineCount(host.texts[ids::kTimeOutput]); }
};

TEST(TimedRun, CountOneGivesOneLineThenTheNotice) {
    TimePage p;
    p.host.texts[ids::kCountEvents] = "1";
    p.host.now = {2010, 1, 27, 9, 43, 59};
    p.run.StartTimedRun();
    EXPECT_FALSE(p.host.isEnabled(ids::kTimeGenerate));
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
    EXPECT_FALSE(p.host.isEnabled(ids::kCommand));
    p.host.checks[ids::kRunExternal] = 1;
    p.run.OnRunExternalToggled();
    EXPECT_TRUE(p.host.isEnabled(ids::kCommand));
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
    EXPECT_EQ(p.lines(), 3u) << "each event shows the whole log";
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kGenerated});
}

TEST(TimedRun, StrayTimersAndStartsDoNothingAndANewRunStartsAFreshLog) {
    TimePage p;
    p.run.OnTimer(ids::kEventTimer);  // idle: no run to advance
    EXPECT_TRUE(p.host.texts[ids::kTimeOutput].empty());
    p.host.texts[ids::kCountEvents] = "2";
    p.run.StartTimedRun();
    p.run.OnTimer(ids::kEventTimer + 1);
    EXPECT_TRUE(p.host.texts[ids::kTimeOutput].empty());
    p.run.StartTimedRun();  // Generate is disabled; a second start is ignored
    EXPECT_EQ(p.host.delays.size(), 1u);
    p.fire();
    p.fire();
    p.run.OnTimer(ids::kEventTimer);
    EXPECT_EQ(p.lines(), 2u);
    EXPECT_EQ(p.host.notices.size(), 1u);
    p.run.StartTimedRun();
    p.fire();
    EXPECT_EQ(p.lines(), 1u);
}

TEST(TimedRun, RefusedStartsChangeNothing) {
    for (const char* count : {"0", "1000001"}) {  // a bad count; beyond the box's limit
        SCOPED_TRACE(count);
        TimePage p;
        p.host.texts[ids::kCountEvents] = count;
        p.host.texts[ids::kTimeOutput] = "previous";
        p.random.seed(8);
        p.run.StartTimedRun();
        ASSERT_EQ(p.host.notices.size(), 1u);
        EXPECT_EQ(p.host.texts[ids::kTimeOutput], "previous");
        EXPECT_TRUE(p.host.delays.empty());
        EXPECT_TRUE(p.host.isEnabled(ids::kTimeGenerate));
        EXPECT_EQ(p.random.snapshot(), 8u);
    }
}

}  // namespace
}  // namespace ovantis
