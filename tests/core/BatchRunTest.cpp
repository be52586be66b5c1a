#include "BatchRun.h"

#include <gtest/gtest.h>

#include "ControlIds.h"
#include "Lines.h"
#include "Notices.h"
#include "PageFixture.h"
#include "StringGenerator.h"

namespace ovantis {
namespace {

using Fixture = test::PageFixture<StringGenerator>;

TEST(BatchRun, GenerateIsDisabledWhileTheFinalNoticeIsOpen) {
    Fixture f;
    std::string boxDuringNotice;
    bool enabledDuringNotice = true;
    f.host.onNotice = [&](const std::string&) {
        enabledDuringNotice = f.host.isEnabled(ids::kStringGenerate);
        boxDuringNotice = f.host.texts[ids::kStringOutput];
    };
    f.host.texts[ids::kStringCount] = "1";
    BatchRun(f.page);
    EXPECT_FALSE(enabledDuringNotice);
    EXPECT_EQ(boxDuringNotice, "gmAfxi\r\n") << "one line, ended by CR LF, shown before the notice";
    EXPECT_TRUE(f.host.isEnabled(ids::kStringGenerate));
}

TEST(BatchRun, ReplacesTypedTextAndSetsTheBoxOnceAfterEmptyingIt) {
    Fixture f;
    f.host.texts[ids::kStringOutput] = "typed by the user";
    BatchRun(f.page);
    EXPECT_EQ(test::splitLines(f.host.texts[ids::kStringOutput]).size(), 10u);
    EXPECT_EQ(f.host.texts[ids::kStringOutput].find("typed"), std::string::npos);
    EXPECT_EQ(f.host.setTextCalls, 2);
}

TEST(BatchRun, ReportsProgressAndCancelKeepsTheLinesMade) {
    Fixture f;
    f.host.texts[ids::kStringCount] = "20000";
    f.host.cancelAt = 8192;
    BatchRun(f.page);
    EXPECT_EQ(f.host.progressCalls, (std::vector<std::int64_t>{0, 4096, 8192}));
    EXPECT_EQ(test::splitLines(f.host.texts[ids::kStringOutput]).size(), 8192u);
    EXPECT_TRUE(f.host.notices.empty()) << "a cancelled run claims no success";
    EXPECT_TRUE(f.host.isEnabled(ids::kStringGenerate));
}

TEST(BatchRun, RefusesRunsBeyondTheHostLimitUpFront) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        // count, max length, accepted
        {"100", "8", true},
        {"101", "1", false},  // too many lines
        {"10", "98", true},   // exactly 10 * (98 + 2) bytes
        {"10", "99", false},  // one byte over
    };
    for (const auto& [count, maxLength, accepted] : cases) {
        Fixture f;
        f.host.limit = {100, 1000};
        f.host.texts[ids::kStringCount] = count;
        f.host.texts[ids::kMaxLength] = maxLength;
        f.host.texts[ids::kMinLength] = "0";
        f.host.texts[ids::kStringOutput] = "kept";
        BatchRun(f.page);
        ASSERT_EQ(f.host.notices.size(), 1u);
        if (accepted) {
            EXPECT_EQ(f.host.notices[0], notices::kGenerated);
        } else {
            EXPECT_NE(f.host.notices[0].find("100 行"), std::string::npos) << f.host.notices[0];
            EXPECT_NE(f.host.notices[0].find("1000 字节"), std::string::npos);
            EXPECT_EQ(f.host.texts[ids::kStringOutput], "kept");
            EXPECT_TRUE(f.host.isEnabled(ids::kStringGenerate));
        }
    }
}

}  // namespace
}  // namespace ovantis
