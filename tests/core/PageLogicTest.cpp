#include <gtest/gtest.h>

#include "BatchRun.h"
#include "ControlIds.h"
#include "ExportResult.h"
#include "Lines.h"
#include "Notices.h"
#include "NumberPageLogic.h"
#include "PageFixture.h"
#include "StringPageLogic.h"

namespace ovantis {
namespace {

using StringPage = test::PageFixture<StringPageLogic>;
using NumberPage = test::PageFixture<NumberPageLogic>;

TEST(BatchRun, ShowsTheLinesBeforeTheNoticeWithGenerateDisabledUntilItCloses) {
    StringPage p;
    p.host.texts[ids::kStringOutput] = "typed by the user";
    p.host.texts[ids::kStringCount] = "2";
    std::string boxDuringNotice;
    bool enabledDuringNotice = true;
    p.host.onNotice = [&](const std::string&) {
        enabledDuringNotice = p.host.isEnabled(ids::kStringGenerate);
        boxDuringNotice = p.host.texts[ids::kStringOutput];
    };
    BatchRun(p.page);
    EXPECT_EQ(boxDuringNotice, "gmAfxi\r\nVCGbDXff\r\n")
        << "read from the fields, seeded by the clock";
    EXPECT_FALSE(enabledDuringNotice);
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kGenerated});
    EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
    // The same second re-seeds the same way, so a second Generate repeats the lines.
    BatchRun(p.page);
    EXPECT_EQ(boxDuringNotice, "gmAfxi\r\nVCGbDXff\r\n");
}

TEST(BatchRun, RejectedSettingsChangeNothingAndDoNotReseed) {
    StringPage p;
    p.host.checks = {{ids::kUpper, 0}, {ids::kLower, 0}, {ids::kDigits, 0}};
    p.host.texts[ids::kStringOutput] = "previous";
    p.random.seed(99);
    BatchRun(p.page);
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kNoCharClass});
    EXPECT_EQ(p.host.texts[ids::kStringOutput], "previous");
    EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
    EXPECT_EQ(p.random.snapshot(), 99u);
}

TEST(BatchRun, ReportsProgressAndCancelKeepsTheLinesMade) {
    StringPage p;
    p.host.texts[ids::kStringCount] = "20000";
    p.host.cancelAt = 8192;
    BatchRun(p.page);
    EXPECT_EQ(p.host.progressCalls, (std::vector<std::int64_t>{0, 4096, 8192}));
    EXPECT_EQ(test::lineCount(p.host.texts[ids::kStringOutput]), 8192u);
    EXPECT_TRUE(p.host.notices.empty()) << "a cancelled run claims no success";
    EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
}

TEST(BatchRun, RefusesRunsBeyondTheHostLimitUpFrontWithoutReseeding) {
    struct Case {
        const char* count;
        const char* minLength;
        const char* maxLength;
        bool accepted;
    } const cases[] = {
        {"100", "0", "8", true},
        {"101", "0", "1", false},  // too many lines
        {"10", "0", "98", true},
        {"10", "0", "99", false},                   // 10 * (98 + 2) bytes fit exactly
        {"1", "-2147483648", "2147483647", false},  // refused, never allocated
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " x " << c.maxLength);
        StringPage p;
        p.host.limit = {100, 1000};
        p.host.texts[ids::kStringCount] = c.count;
        p.host.texts[ids::kMinLength] = c.minLength;
        p.host.texts[ids::kMaxLength] = c.maxLength;
        p.host.texts[ids::kStringOutput] = "kept";
        p.random.seed(5);
        BatchRun(p.page);
        ASSERT_EQ(p.host.notices.size(), 1u);
        if (c.accepted) {
            EXPECT_EQ(p.host.notices[0], notices::kGenerated);
            continue;
        }
        EXPECT_NE(p.host.notices[0].find("100 行"), std::string::npos) << p.host.notices[0];
        EXPECT_NE(p.host.notices[0].find("1000 字节"), std::string::npos);
        EXPECT_NE(p.host.notices[0].find("ovantis-cli"), std::string::npos);
        EXPECT_EQ(p.host.texts[ids::kStringOutput], "kept");
        EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
        EXPECT_EQ(p.random.snapshot(), 5u);
    }
}

TEST(NumberPage, ReadsItsFieldsAndSkipsPlacesWhileDecimalsAreOff) {
    NumberPage p;
    p.host.checks[ids::kDecimalOn] = 0;
    p.page.OnFloatToggled();
    EXPECT_FALSE(p.host.isEnabled(ids::kPlaces));
    p.host.texts[ids::kPlaces] = "-5";
    p.host.texts[ids::kLow] = " 7.5x";
    p.host.texts[ids::kHigh] = "7.9";
    BatchRun(p.page);
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kBadRange})
        << "no whole number in 7.5 ~ 7.9; places were not read";
    p.host.notices.clear();
    p.host.texts[ids::kHigh] = "8";
    p.host.texts[ids::kNumberCount] = "3";
    BatchRun(p.page);
    EXPECT_EQ(p.host.texts[ids::kNumberOutput], "8\r\n8\r\n8\r\n");
}

TEST(ExportResult, WritesCrLfWithExportDisabledDuringTheNoticeAndReportsCancelAndFailure) {
    StringPage p;
    p.host.texts[ids::kStringOutput] = "ab\r\n中文\ntyped\rlast";
    ExportResult(p.host, p.page.controls());
    EXPECT_TRUE(p.host.files.empty() && p.host.notices.empty()) << "cancelled";
    p.host.chosenPath = "/out/a.txt";
    bool disabledDuringNotice = false;
    p.host.onNotice = [&](const std::string&) {
        disabledDuringNotice = !p.host.isEnabled(ids::kStringExport);
    };
    ExportResult(p.host, p.page.controls());
    EXPECT_EQ(p.host.files["/out/a.txt"], "ab\r\n中文\r\ntyped\r\nlast");
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kExported});
    EXPECT_TRUE(disabledDuringNotice);
    p.host.writeFailure = "Permission denied";
    ExportResult(p.host, p.page.controls());
    EXPECT_EQ(p.host.notices.back(), std::string(notices::kExportFailed) + "\nPermission denied");
    EXPECT_TRUE(p.host.isEnabled(ids::kStringExport));
}

}  // namespace
}  // namespace ovantis
