#include "StringGenerator.h"

#include <gtest/gtest.h>

#include <map>

#include "BatchRun.h"
#include "ControlIds.h"
#include "Lines.h"
#include "Notices.h"
#include "PageFixture.h"

namespace ovantis {
namespace {

struct StringPage : test::PageFixture<StringGenerator> {
    std::vector<std::string> generate() {
        BatchRun(page);
        return test::splitLines(host.texts[ids::kStringOutput]);
    }
};

TEST(StringGeneration, DefaultsWithSeedOneGiveTheGoldenLines) {
    StringPage p;
    const std::vector<std::string> expected = {"gmAfxi", "VCGbDXff", "STPpxPV", "tCscEIF",
                                               "NMKssE", "yXTsYSDe", "BOJVAy",  "OyFbpJi",
                                               "AyhNRp", "JOauW"};
    EXPECT_EQ(p.generate(), expected);
    EXPECT_EQ(p.host.notices, std::vector<std::string>{notices::kGenerated});
}

TEST(StringGeneration, HeadAndTailWrapTheCoreVerbatim) {
    StringPage p;
    p.host.texts[ids::kHead] = " user_";
    p.host.texts[ids::kTail] = "@例子.com ";
    p.host.texts[ids::kMinLength] = "3";
    p.host.texts[ids::kMaxLength] = "3";
    for (const auto& line : p.generate()) {
        ASSERT_EQ(line.size(), 6 + 3 + std::string("@例子.com ").size());
        EXPECT_EQ(line.substr(0, 6), " user_");
        EXPECT_EQ(line.substr(9), "@例子.com ");
    }
}

TEST(StringGeneration, EmptyOrNegativeLengthsGiveHeadAndTailOnly) {
    for (const auto& [low, high] : {std::pair{"", ""}, {"0", "0"}, {"-9", "-3"}}) {
        StringPage p;
        p.host.texts[ids::kHead] = "h";
        p.host.texts[ids::kTail] = "t";
        p.host.texts[ids::kMinLength] = low;
        p.host.texts[ids::kMaxLength] = high;
        p.host.texts[ids::kStringCount] = "3";
        EXPECT_EQ(p.generate(), std::vector<std::string>(3, "ht"));
    }
    StringPage empty;
    empty.host.texts[ids::kMinLength] = "0";
    empty.host.texts[ids::kMaxLength] = "0";
    empty.host.texts[ids::kStringCount] = "2";
    BatchRun(empty.page);
    EXPECT_EQ(empty.host.texts[ids::kStringOutput], "\r\n\r\n");
}

TEST(StringGeneration, EveryEnabledClassIsEquallyLikelyAndEveryCodeOccurs) {
    for (auto kind : {RandomSource::Kind::Classic, RandomSource::Kind::Secure}) {
        RandomSource random(kind, [] { return std::time_t{1}; });
        test::ScriptedHost host(StringGenerator::initialContent());
        host.checks[ids::kDigits] = 1;
        host.texts[ids::kMinLength] = "1000";
        host.texts[ids::kMaxLength] = "1000";
        StringGenerator page(host, random);
        ASSERT_TRUE(page.Validate());
        std::map<char, int> seen;
        for (int line = 0; line < 60; ++line) {
            for (char c : page.MakeString()) {
                ++seen[c];
            }
        }
        int digits = 0;
        for (char c = '0'; c <= '9'; ++c) {
            digits += seen[c];
        }
        EXPECT_NEAR(digits / 60000.0, 1.0 / 3.0, 0.02);
        EXPECT_EQ(seen.size(), 62u);
        EXPECT_NEAR(seen['Q'], 60000 / 78, 200) << "a letter is 1 in 78";
    }
}

TEST(StringValidation, NoticeOrderAndSettingsKept) {
    struct Case {
        std::vector<int> classes;  // upper, lower, digits
        const char* minLength;
        const char* maxLength;
        const char* count;
        const char* notice;
    };
    const Case cases[] = {
        {{0, 0, 0}, "8", "5", "0", notices::kNoCharClass},
        {{1, 0, 0}, "8", "5", "0", notices::kBadLength},
        {{0, 0, 1}, "5", "8", "0", notices::kBadCount},
        {{0, 1, 0}, "5", "8", "-3", notices::kBadCount},
        {{0, 1, 0}, "2147483647", "-2147483648", "1", notices::kBadLength},
    };
    for (const auto& c : cases) {
        StringPage p;
        p.host.texts[ids::kStringOutput] = "previous";
        p.host.checks = {
            {ids::kUpper, c.classes[0]}, {ids::kLower, c.classes[1]}, {ids::kDigits, c.classes[2]}};
        p.host.texts[ids::kMinLength] = c.minLength;
        p.host.texts[ids::kMaxLength] = c.maxLength;
        p.host.texts[ids::kStringCount] = c.count;
        p.random.seed(99);
        BatchRun(p.page);
        EXPECT_EQ(p.host.notices, std::vector<std::string>{c.notice})
            << c.minLength << "~" << c.maxLength;
        EXPECT_EQ(p.host.texts[ids::kStringOutput], "previous");
        EXPECT_TRUE(p.host.isEnabled(ids::kStringGenerate));
        EXPECT_EQ(p.random.snapshot(), 99u) << "a rejected run must not reseed";
        EXPECT_EQ(p.page.settings().minLength, 5);
    }
}

TEST(StringGeneration, WholeIntRangeOfLengthsIsRefusedNotAllocated) {
    StringPage p;
    p.host.texts[ids::kMinLength] = "-2147483648";
    p.host.texts[ids::kMaxLength] = "2147483647";
    p.host.texts[ids::kStringCount] = "1";
    p.host.texts[ids::kStringOutput] = "kept";
    p.random.seed(5);
    BatchRun(p.page);
    ASSERT_EQ(p.host.notices.size(), 1u);
    EXPECT_NE(p.host.notices[0].find("ovantis-cli"), std::string::npos);
    EXPECT_NE(p.host.notices[0].find("64 MiB"), std::string::npos);
    EXPECT_EQ(p.host.texts[ids::kStringOutput], "kept");
    EXPECT_EQ(p.random.snapshot(), 5u);
}

TEST(StringGeneration, LongLinesReachTheSinkInChunks) {
    StringPage p;
    p.host.texts[ids::kMinLength] = "1000000";
    p.host.texts[ids::kMaxLength] = "1000000";
    ASSERT_TRUE(p.page.Validate());
    struct Counter : TextSink {
        std::size_t total = 0;
        std::size_t largest = 0;
        void drain(std::string& buffer) override {
            total += buffer.size();
            largest = std::max(largest, buffer.size());
            buffer.clear();
        }
    } sink;
    std::string buffer;
    p.page.appendString(buffer, &sink);
    EXPECT_EQ(sink.total + buffer.size(), 1000000u);
    EXPECT_LE(sink.largest, 70000u);
}

}  // namespace
}  // namespace ovantis
