#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <tuple>

#include "BatchRun.h"
#include "ControlIds.h"
#include "CoreLines.h"
#include "EveryRefusal.h"
#include "ExportResult.h"
#include "Notices.h"
#include "NumberFields.h"
#include "NumberPageLogic.h"
#include "PageFixture.h"
#include "PatternFields.h"
#include "PatternPageLogic.h"
#include "RedrawLimit.h"
#include "RefusalReasons.h"
#include "StringFields.h"
#include "StringPageLogic.h"
#include "TimeFields.h"
#include "TimedRun.h"
#include "WindowTexts.h"

namespace ovantis {
namespace {

using StringPage = test::PageFixture<StringPageLogic>;
using NumberPage = test::PageFixture<NumberPageLogic>;
using PatternPage = test::PageFixture<PatternPageLogic>;

long lineCount(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

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
    const std::string golden = test::coreLines<StringGenerator>(StringSettings{}, 2);
    EXPECT_EQ(boxDuringNotice, golden) << "read from the fields, seeded by the clock";
    EXPECT_FALSE(enabledDuringNotice);
    // The classic source's second, which --seed takes to make them again.
    EXPECT_EQ(p.host.notices,
              std::vector<std::string>{std::string(notices::kGenerated) + "\n种子：1"});
    EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
    // The same second re-seeds the same way, so a second Generate repeats the lines.
    BatchRun(p.page);
    EXPECT_EQ(boxDuringNotice, golden);
}

TEST(BatchRun, ReportsProgressAndCancelKeepsTheLinesMade) {
    StringPage p;
    p.host.texts[ids::kStringCount] = "20000";
    p.host.cancelAt = 8192;
    BatchRun(p.page);
    EXPECT_EQ(p.host.progressCalls, (std::vector<std::int64_t>{0, 4096, 8192}));
    EXPECT_EQ(lineCount(p.host.texts[ids::kStringOutput]), 8192);
    EXPECT_TRUE(p.host.notices.empty()) << "a cancelled run claims no success";
    EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
    // Long lines are made a megabyte or so at a time, each step reported.
    StringPage longer;
    longer.host.texts[ids::kStringCount] = "40";
    longer.host.texts[ids::kMinLength] = longer.host.texts[ids::kMaxLength] = "100000";
    BatchRun(longer.page);
    EXPECT_GE(longer.host.progressCalls.size(), 4u);
    for (std::size_t i = 1; i < longer.host.progressCalls.size(); ++i) {
        EXPECT_LE(longer.host.progressCalls[i] - longer.host.progressCalls[i - 1], 11);
    }
    EXPECT_EQ(lineCount(longer.host.texts[ids::kStringOutput]), 40);
}

// A run that stops finding lines it may keep ends there, keeping the lines
// made and saying why, instead of ending the window.
TEST(BatchRun, ARunThatGivesUpKeepsItsLinesAndSaysWhy) {
    struct GivingUp final : LinePage {
        using LinePage::LinePage;
        bool Validate() override { return true; }
        std::int64_t count() const override { return 5; }
        std::int64_t maxLineBytes() const override { return 2; }
        void appendLine(std::string& out) override {
            out += "ab";
            if (++made == 3) {
                throw RedrawLimit();
            }
        }
        int made = 0;
    };
    StringPage p;
    GivingUp page(p.host, p.random, kStringControls);
    BatchRun(page);
    EXPECT_EQ(p.host.texts[ids::kStringOutput], "ab\r\nab\r\n");
    EXPECT_EQ(p.host.notices, std::vector<std::string>{std::string(notices::kBadCount) + "\n" +
                                                       texts::kWindowGaveUp.in(Language::Chinese)});
    EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
}

// A refused run changes nothing and does not re-seed; a run beyond the host's
// limit is refused up front, its notice naming the limit and the CLI.
TEST(BatchRun, RefusedRunsChangeNothingAndDoNotReseed) {
    struct Case {
        const char* count;
        const char* minLength;
        const char* maxLength;
        const char* notice;  // nullptr: the limit's notice
    } const cases[] = {
        {"100", "0", "8", notices::kGenerated},
        {"101", "0", "1", nullptr},  // too many lines
        {"10", "0", "98", notices::kGenerated},
        {"10", "0", "99", nullptr},                   // 10 * (98 + 2) bytes fit exactly
        {"1", "-2147483648", "2147483647", nullptr},  // refused, never allocated
        {"10", "9", "3", notices::kBadLength},
        {"1 000", "0", "1", notices::kBadCount},  // a field that is no number: its notice
        {"0", "5x", "1", notices::kBadLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " x " << c.minLength << "~" << c.maxLength);
        StringPage p;
        p.host.limit = {100, 1000};
        p.host.texts[ids::kStringCount] = c.count;
        p.host.texts[ids::kMinLength] = c.minLength;
        p.host.texts[ids::kMaxLength] = c.maxLength;
        p.host.texts[ids::kStringOutput] = "kept";
        p.random.seed(5);
        BatchRun(p.page);
        ASSERT_EQ(p.host.notices.size(), 1u);
        if (c.notice == notices::kGenerated) {
            EXPECT_TRUE(p.host.notices[0].starts_with(c.notice));
            continue;
        }
        const std::string& notice = p.host.notices[0];
        EXPECT_TRUE(c.notice ? notice == c.notice
                             : notice.find("100 行") != std::string::npos &&
                                   notice.find("1000 字节") != std::string::npos &&
                                   notice.find("ovantis-cli") != std::string::npos)
            << notice;
        EXPECT_EQ(p.host.texts[ids::kStringOutput], "kept");
        EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
        EXPECT_EQ(p.random.snapshot(), 5u);
    }
}

// The window's password options are the command line's: each shapes the
// lines, and the count line follows the fields once editing pauses.
TEST(StringPage, PasswordOptionsShapeTheLinesAndTheCountFollowsThem) {
    const auto every = [](const char* chars, int atLeast = 1) {
        return [chars, atLeast](const std::string& line) {
            return static_cast<int>(std::count_if(line.begin(), line.end(), [&](char c) {
                       return std::strchr(chars, c) != nullptr;
                   })) >= atLeast;
        };
    };
    const char* upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const char* punctuation = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
    struct Case {
        std::set<int> on;
        const char* length;
        const char* count;
        const char* info;  // empty: refused
        std::function<bool(const std::string&)> fits;
    } const cases[] = {
        {{ids::kUpper, ids::kLower}, "2", "10", "2,704 种字符串 · 11.4 位", every("Zz", 0)},
        {{ids::kSymbols}, "3", "10", "32,768 种字符串 · 15.0 位", every(punctuation, 3)},
        {{ids::kDigits, ids::kNoSimilar},
         "4",
         "10",
         "4,096 种字符串 · 12.0 位",
         every("23456789", 4)},
        // 36^2 less the lines of letters alone and of digits alone.
        {{ids::kUpper, ids::kDigits, ids::kEachClass},
         "2",
         "50",
         "520 种字符串 · 9.0 位",
         [&](const std::string& line) { return every(upper)(line) && every("0123456789")(line); }},
        {{ids::kUpper, ids::kStringUnique}, "1", "26", "26 种字符串 · 4.7 位", every(upper)},
        {{ids::kUpper, ids::kStringUnique}, "1", "27", "26 种字符串 · 4.7 位", nullptr},
        {{}, "1", "1", "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.info);
        StringPage p;
        for (const int id :
             std::initializer_list<int>{ids::kUpper, ids::kLower, ids::kDigits, ids::kSymbols,
                                        ids::kNoSimilar, ids::kEachClass, ids::kStringUnique}) {
            p.host.checks[id] = static_cast<int>(c.on.count(id));
        }
        p.host.texts[ids::kMinLength] = p.host.texts[ids::kMaxLength] = c.length;
        p.host.texts[ids::kStringCount] = c.count;
        p.page.OnFieldsEdited();
        EXPECT_EQ(p.host.armedDelay, StringPageLogic::kCountDelayMs);
        p.page.OnTimer();
        EXPECT_EQ(p.host.texts[ids::kStringInfo], c.info);
        BatchRun(p.page);
        ASSERT_EQ(p.host.notices.size(), 1u);
        EXPECT_EQ(p.host.notices[0].starts_with(notices::kGenerated), c.fits != nullptr);
        if (!c.fits) {
            continue;
        }
        std::set<std::string> lines;
        std::istringstream out(p.host.texts[ids::kStringOutput]);
        for (std::string line; std::getline(out, line, '\r'); out.ignore()) {
            EXPECT_TRUE(c.fits(line)) << line;
            lines.insert(line);
        }
        EXPECT_EQ(lines.size(), c.on.count(ids::kStringUnique) ? 26u : lines.size());
    }
}

// The fields start with the defaults, which give the golden lines.
TEST(NumberPage, ReadsItsFieldsAndSkipsPlacesWhileDecimalsAreOff) {
    NumberPage p;
    BatchRun(p.page);
    EXPECT_EQ(p.host.texts[ids::kNumberOutput],
              test::coreLines<NumberGenerator>(NumberSettings{}, 10));
    p.host.notices.clear();
    p.host.checks[ids::kDecimalOn] = 0;
    p.page.OnFloatToggled();
    EXPECT_FALSE(p.host.isEnabled(ids::kPlaces));
    p.host.texts[ids::kPlaces] = "-5";
    p.host.texts[ids::kLow] = " 7.5 ";
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

// The template is counted once typing pauses, in the host's language, and
// Generate refuses what cannot be drawn; without the secure source the lines
// come from a stream keyed by the second, all four strings of [ab]{2} unique.
TEST(PatternPage, CountsTheTemplateAsTypedAndRefusesWhatCannotBeDrawn) {
    PatternPage p;
    EXPECT_EQ(p.host.texts[ids::kPattern], "[A-Z]{4}-[0-9]{4}");
    p.host.texts[ids::kPattern] = "[ab]{2}";
    p.page.OnPatternEdited();
    EXPECT_EQ(p.host.armedDelay, PatternPageLogic::kCountDelayMs);
    p.page.OnTimer();
    EXPECT_EQ(p.host.texts[ids::kPatternInfo], "2^2 = 4 种字符串 · 2.0 位");
    p.host.shownIn = Language::English;
    p.host.texts[ids::kPattern] = "ab+";
    p.page.OnTimer();
    EXPECT_TRUE(p.host.texts[ids::kPatternInfo].starts_with("column 3: '+' has no upper bound"));
    // The window words the limits of a run it refuses as its own, never as
    // an option of the command line.
    using enum Refusal::Kind;
    const std::set<Refusal::Kind> runLimits{TooFewPossible,    ClassicTooFew, UniqueOverBudget,
                                            UniqueSlow,        EachClassRare, EachClassNever,
                                            CountingOverBudget};
    for (const Refusal& r : test::everyRefusal()) {
        for (const Language language : {Language::Chinese, Language::English}) {
            EXPECT_TRUE(!runLimits.count(r.kind) ||
                        windowReasonOf(r, language).find("--") == std::string::npos)
                << windowReasonOf(r, language);
        }
    }
    const std::tuple<const char*, const char*, int, std::string> refused[] = {
        {"ab+", "10", 0, "模板无效！\ncolumn 3: '+' has no upper bound"},
        {"[ab]{2}", "5", 1, "生成个数设定无效！\ncannot make 5 unique lines: only 4 are possible"},
        {"[ab]{2}", "0", 1, notices::kBadCount},
    };
    for (const auto& [pattern, count, unique, notice] : refused) {
        p.host.texts[ids::kPattern] = pattern;
        p.host.texts[ids::kPatternCount] = count;
        p.host.checks[ids::kPatternUnique] = unique;
        p.host.notices.clear();
        BatchRun(p.page);
        ASSERT_EQ(p.host.notices.size(), 1u);
        EXPECT_TRUE(p.host.notices[0].starts_with(notice)) << p.host.notices[0];
    }
    p.host.texts[ids::kPatternCount] = "4";
    BatchRun(p.page);
    const std::string lines = "\r\n" + p.host.texts[ids::kPatternOutput];
    EXPECT_EQ(lines.size(), 18u);
    for (const char* line : {"\naa\r", "\nab\r", "\nba\r", "\nbb\r"}) {
        EXPECT_NE(lines.find(line), std::string::npos) << line;
    }
}

// Line ends follow the file type chosen: LF, CR LF, and for any name the
// system's own, which is also the type shown first.
TEST(ExportResult, WritesTheChosenLineEndsNamesTheFileAndReportsCancelAndFailure) {
    StringPage p;
    p.host.texts[ids::kStringOutput] = "ab\r\n中文\ntyped\rlast";
    ExportResult(p.host, p.page.controls());
    EXPECT_TRUE(p.host.files.empty() && p.host.notices.empty()) << "cancelled";
    EXPECT_EQ(p.host.saveRequests.back().initialName, "随机字符串.txt");
    p.host.chosenPath = "/out/a.txt";
    bool disabledDuringNotice = false;
    p.host.onNotice = [&](const std::string&) {
        disabledDuringNotice = !p.host.isEnabled(ids::kStringExport);
    };
    const std::string lf = "ab\n中文\ntyped\nlast";
    const std::string crlf = "ab\r\n中文\r\ntyped\r\nlast";
#ifdef _WIN32
    const std::string& own = crlf;
#else
    const std::string& own = lf;
#endif
    for (const auto& [filter, written] :
         {std::pair<std::optional<std::size_t>, std::string>{std::nullopt, own},
          {0, lf},
          {1, crlf},
          {2, own}}) {
        p.host.chosenFilter = filter;
        ExportResult(p.host, p.page.controls());
        EXPECT_EQ(p.host.files["/out/a.txt"], written);
        EXPECT_EQ(p.host.notices.back(), std::string(notices::kExported) + "\n/out/a.txt");
    }
    EXPECT_TRUE(disabledDuringNotice);
    p.host.writeFailure = SystemReason::system(13);
    ExportResult(p.host, p.page.controls());
    EXPECT_EQ(p.host.notices.back(), std::string(notices::kExportFailed) + "\nreason 0/13");
    EXPECT_TRUE(p.host.isEnabled(ids::kStringExport));
    // Each page proposes a name of its own.
    std::set<std::string> names;
    for (const PageControls& page :
         {kStringControls, kNumberControls, kTimeControls, kPatternControls}) {
        names.insert(page.exportName);
    }
    EXPECT_EQ(names.size(), 4u);
}

struct TimePage : test::PageFixture<TimedRun> {
    TimedRun& run = page;
    // Delivers the armed timer as the platform would.
    void fire() {
        ASSERT_TRUE(host.armedDelay.has_value()) << "no timer armed";
        run.OnTimer(ids::kEventTimer);
    }
    long lines() { return lineCount(host.texts[ids::kTimeOutput]); }
};

// Each event logs the local time and shows the whole log; the settings read at
// the start hold to the end, whatever the fields say meanwhile.
TEST(TimedRun, EventsLogTheTimeWithTheSettingsOfTheStart) {
    TimePage p;
    p.host.texts[ids::kCountEvents] = "3";
    p.host.texts[ids::kMinDelay] = "0";
    p.host.texts[ids::kMaxDelay] = "0";
    p.host.now = {2010, 1, 27, 9, 43, 59};
    EXPECT_FALSE(p.host.isEnabled(ids::kCommand));
    p.host.checks[ids::kRunExternal] = 1;
    p.run.OnRunExternalToggled();
    EXPECT_TRUE(p.host.isEnabled(ids::kCommand));
    p.host.texts[ids::kCommand] = "/usr/bin/true; touch probe";
    p.run.StartTimedRun();
    EXPECT_TRUE(p.host.stopShown[ids::kTimeGenerate]);
    p.host.texts[ids::kCountEvents] = "1";
    p.host.texts[ids::kMaxDelay] = "9999";
    p.host.texts[ids::kCommand] = "other";
    p.host.checks[ids::kRunExternal] = 0;
    p.host.texts[ids::kTimeOutput] = "typed during the run";
    bool stopShownDuringNotice = true;
    p.host.onNotice = [&](const std::string&) {
        stopShownDuringNotice = p.host.stopShown[ids::kTimeGenerate];
    };
    std::string log;
    for (int i = 0; i < 3; ++i, log += "2010-01-27   09:43:59\r\n") {
        p.fire();
    }
    EXPECT_EQ(p.host.texts[ids::kTimeOutput], log);
    EXPECT_EQ(p.host.delays, std::vector<int>(3, 0));
    EXPECT_EQ(p.host.opened, std::vector<std::string>(3, "/usr/bin/true; touch probe"));
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kGenerated});
    EXPECT_FALSE(stopShownDuringNotice || p.host.armedDelay.has_value() || p.run.running());
}

// Stop ends the run at once with the log kept and no success notice; failed
// launches are counted and the first reason named, whether the run ends whole
// or is stopped.
TEST(TimedRun, StopKeepsTheLogAndFailedLaunchesAreNamed) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"/usr/bin/true", 2, nullptr},
        {"/usr/bin/true", 3, notices::kGenerated},
        {"missing-a", 2, "外部程序启动失败 2 次（共 2 次）：\nmissing-a: reason 1/0"},
        {"missing-a", 3, "外部程序启动失败 3 次（共 3 次）：\nmissing-a: reason 1/0"},
    };
    for (const auto& [command, fired, notice] : cases) {
        SCOPED_TRACE(std::string(command) + " " + std::to_string(fired));
        TimePage p;
        p.host.checks[ids::kRunExternal] = 1;
        p.host.texts[ids::kCommand] = command;
        p.host.texts[ids::kCountEvents] = "3";
        p.run.StartTimedRun();
        for (int i = 0; i < fired; ++i) {
            p.fire();
        }
        p.run.Stop();
        p.run.Stop();  // once ended, nothing more
        EXPECT_EQ(p.lines(), fired);
        EXPECT_EQ(p.host.notices,
                  notice ? std::vector<std::string>{notice} : std::vector<std::string>{});
        EXPECT_FALSE(p.host.stopShown[ids::kTimeGenerate] || p.host.armedDelay || p.run.running());
    }
    // A second run counts only its own failed launches.
    TimePage p;
    p.host.checks[ids::kRunExternal] = 1;
    p.host.texts[ids::kCommand] = "missing-a";
    p.host.texts[ids::kCountEvents] = "1";
    for (int run = 0; run < 2; ++run) {
        p.run.StartTimedRun();
        p.fire();
    }
    EXPECT_EQ(p.host.notices.back(), "外部程序启动失败 1 次（共 1 次）：\nmissing-a: reason 1/0");
}

// While the most programs a run may have are running, the next event, line and
// all, waits and looks again until one has ended; the --exec help says so.
TEST(TimedRun, AnEventWaitsWhileTheMostProgramsRun) {
    TimePage p;
    p.host.checks[ids::kRunExternal] = 1;
    p.host.texts[ids::kCommand] = "/usr/bin/true";
    p.host.texts[ids::kCountEvents] = "2";
    p.run.StartTimedRun();
    p.host.running = kMostProgramsRunning;
    p.fire();
    p.fire();
    EXPECT_EQ(p.lines(), 0);
    EXPECT_TRUE(p.host.opened.empty());
    p.host.running = kMostProgramsRunning - 1;
    p.fire();
    EXPECT_EQ(p.lines(), 1);
    EXPECT_EQ(p.host.opened.size(), 1u);
    for (const Language language : {Language::Chinese, Language::English}) {
        EXPECT_NE(std::string(kTimeFields[1].help.in(language))
                      .find(std::to_string(kMostProgramsRunning) + " "),
                  std::string::npos);
    }
}

TEST(TimedRun, StrayTimersAndStartsDoNothingAndANewRunStartsAFreshLog) {
    TimePage p;
    p.run.OnTimer(ids::kEventTimer);  // idle: no run to advance
    EXPECT_TRUE(p.host.texts[ids::kTimeOutput].empty());
    p.host.texts[ids::kCountEvents] = "2";
    p.run.StartTimedRun();
    p.run.OnTimer(ids::kEventTimer + 1);
    EXPECT_TRUE(p.host.texts[ids::kTimeOutput].empty());
    p.run.StartTimedRun();  // Generate reads Stop; a second start is ignored
    EXPECT_EQ(p.host.delays.size(), 1u);
    p.fire();
    p.fire();
    p.run.OnTimer(ids::kEventTimer);
    EXPECT_EQ(p.lines(), 2);
    EXPECT_EQ(p.host.notices.size(), 1u);
    p.run.StartTimedRun();
    p.fire();
    EXPECT_EQ(p.lines(), 1);
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
