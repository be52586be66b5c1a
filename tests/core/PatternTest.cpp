#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <set>

#include "PatternGenerator.h"

namespace ovantis {
namespace {

using Kind = Refusal::Kind;

std::u32string decoded(const std::string& text) {
    std::vector<char32_t> points;
    CharacterSet::decodeUtf8(text, points);
    return {points.begin(), points.end()};
}

std::wstring wide(const std::u32string& text) {
    return {text.begin(), text.end()};
}

struct Built {
    RandomSource random{PatternGenerator::seededPool(7)};
    PatternGenerator generator{random};
    Refusal refusal;
    explicit Built(const PatternSettings& s, std::uint64_t budget = 1u << 30)
        : refusal(generator.build(s, budget)) {}
};

// Patterns whose strings an independent engine can judge; the first ones
// are small enough to enumerate.
std::vector<std::string> cases() {
    std::vector<std::string> all = {
        "a|ab|a",
        "[a-c]{1,3}",
        "(a|b|c|d)",
        "0{1,10}",
        "(a|ab)(c|bcd)?",
        "((a|b){2}|ab){1,2}",
        "x?y?z?",
        "[ab]{0,4}",
        "(?:a|aa|aaa){1,2}",
        "^[0-9]{2}$",
        "[^!-~]?",
        "\\.\\*\\+\\?",
        "[\\d-]{2}",
        "[-a]b",
        "(|a|)(b|)",
        "\\x{263A}[αβγ]",
        "[α-ε]{2}",
        "(你|好){1,3}",
        "[\\x{1F600}-\\x{1F602}]{2}",
        "[^\\w ]",
        "\\D",
        "\\W\\s",
        "(a(b(c|d)?)?)?",
        "e{0}f",
        "(ab|a)(bc|c)",
        "[a-z]{4}",
        "[A-Za-z0-9_]{3}",
        ".{2}",
        "user_[a-z]{3}[0-9]{2}",
        "[a-z]{5,8}@(example|test)\\.(com|org)",
        "[\\x{4E00}-\\x{9FA5}]{2,4}",
        "[\\x{10000}-\\x{10FFFF}]",
        "(x{2,3}|y{1,4}){2}",
    };
    // Pairs of small pieces: ambiguous joins, optional tails, nested groups.
    const char* pieces[] = {"a",         "[ab]", "(a|ab)", "b?", "(?:ba|b){0,2}",
                            "[^ -`c-~]", "(a|)", "[α-β]"};
    for (const std::string p : pieces) {
        for (const std::string q : pieces) {
            all.push_back(p + q);
            all.push_back(p + q + "|a");
            all.push_back(p + "(?:" + q + "){1,2}");
        }
    }
    return all;
}

// Every line matches, drawn lines cover the count when it is small, each
// string comes up about as often as any other, and no string over the
// characters seen is missing.
TEST(PatternGenerator, LinesMatchAndSmallLanguagesAreCountedAndDrawnEvenly) {
    for (const std::string& pattern : cases()) {
        SCOPED_TRACE(pattern);
        Built built({.pattern = pattern, .exclude = "X-Z", .noSimilar = true});
        ASSERT_FALSE(built.refusal) << static_cast<int>(built.refusal.kind);
        // std::wregex takes code points as wchar_t, not \x{...}.
        std::u32string text = decoded(pattern);
        std::wstring source;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 3, U"\\x{") == 0) {
                const std::size_t close = text.find(U'}', i);
                source += static_cast<wchar_t>(std::stoul(
                    std::string(text.begin() + i + 3, text.begin() + close), nullptr, 16));
                i = close;
            } else if (text.compare(i, 2, U"[^") == 0) {
                // Negated classes stay within printable ASCII.
                source += L"[^\x01-\x1F\x7F-\U0010FFFF";
                ++i;
            } else {
                source += static_cast<wchar_t>(text[i]);
            }
        }
        const std::wregex engine(source, std::regex::ECMAScript);
        const bool small = built.generator.count() <= BigCount(1000);
        const int draws = small ? 50000 : 300;
        std::map<std::u32string, int> seen;
        for (int i = 0; i < draws; ++i) {
            std::string line;
            built.generator.appendLine(line);
            const std::u32string points = decoded(line);
            ++seen[points];
        }
        for (const auto& [line, times] : seen) {
            ASSERT_TRUE(std::regex_match(wide(line), engine));
            for (const char32_t c : line) {
                // Excluded characters come only from literals.
                ASSERT_TRUE(std::u32string(U"XYZ0Oo1lI|").find(c) == std::u32string::npos ||
                            text.find(c) != std::u32string::npos);
            }
        }
        if (!small) {
            continue;
        }
        ASSERT_EQ(BigCount(seen.size()), built.generator.count());
        const double expected = static_cast<double>(draws) / static_cast<double>(seen.size());
        double chiSquare = 0;
        std::set<char32_t> alphabet;
        std::size_t longest = 0;
        for (const auto& [line, times] : seen) {
            chiSquare += (times - expected) * (times - expected) / expected;
            alphabet.insert(line.begin(), line.end());
            longest = std::max(longest, line.size());
        }
        const double freedom = static_cast<double>(seen.size()) - 1;
        EXPECT_LT(chiSquare, freedom + 6 * std::sqrt(2 * freedom) + 1);
        // Brute force over the characters seen, one longer than any line.
        std::vector<std::u32string> level{U""};
        for (std::size_t length = 0; length <= longest + 1 && level.size() < 5000; ++length) {
            std::vector<std::u32string> longer;
            for (const std::u32string& s : level) {
                if (std::regex_match(wide(s), engine)) {
                    EXPECT_TRUE(seen.count(s) != 0) << "never drawn";
                }
                for (const char32_t c : alphabet) {
                    longer.push_back(s + c);
                }
            }
            level = std::move(longer);
        }
    }
}

TEST(PatternGenerator, CountsAreExactAtAnySizeAndFixedPiecesShowTheirProduct) {
    const struct {
        const char* pattern;
        const char* count;
        const char* product;
    } rows[] = {
        {"[A-Z]{4}-[A-Z]{4}-[A-Z]{4}", "95,428,956,661,682,176", "26^12"},
        {"user_[a-z]{3}[0-9]{2}", "1,757,600", "26^3 × 10^2"},
        {"[a-z]{4}[0-9]{4}", "4,569,760,000", "26^4 × 10^4"},
        {"ORD-[0-9]{6}", "1,000,000", "10^6"},
        {"[a-z]{5,8}@(example|test)\\.(com|org)", "868,718,687,616", ""},
        {"[a-z]", "26", ""},
        {".{20}", "3,584,859,224,085,422,343,574,104,404,449,462,890,625", "95^20"},
        {"abc", "1", ""},
        {"[ab]{0}[abc]{2}", "9", "3^2"},
        {"[ab]?[0-9]{2}", "300", ""},  // an optional piece: no product
    };
    for (const auto& row : rows) {
        Built built({.pattern = row.pattern});
        ASSERT_FALSE(built.refusal) << row.pattern;
        std::string count = row.count;
        std::erase(count, ',');
        EXPECT_EQ(built.generator.count().toDecimal(), count) << row.pattern;
        EXPECT_EQ(built.generator.product(), row.product) << row.pattern;
    }
    Built huge({.pattern = "[\\x{20}-\\x{10FFFF}]{1000}"});
    EXPECT_NEAR(
        huge.generator.bits(),
        1000 * std::log2(static_cast<double>(
                   CharacterSet({{0x20, 0x10FFFF}}).minus(PatternParser::forbidden()).size())),
        1e-6);
}

// The longest line is bounded in UTF-8 bytes, exactly for one class, right at
// each width's edge: the window's output limit rests on it.
TEST(PatternGenerator, TheLongestLineIsCountedInBytesAtEachWidthsEdge) {
    const std::pair<const char*, std::int64_t> rows[] = {
        {"~{3}", 3},      {"\\x{A0}{3}", 6}, {"\\x{7ff}", 2}, {"\\x{800}", 3},
        {"\\x{FFFD}", 3}, {"\\x{10000}", 4}, {"a{0,2}", 2},
    };
    for (const auto& [pattern, bytes] : rows) {
        Built built({.pattern = pattern});
        ASSERT_FALSE(built.refusal) << pattern;
        EXPECT_EQ(built.generator.maxLineBytes(), bytes) << pattern;
    }
}

// Each limit refuses by its own kind while the automaton is made, before
// time or memory runs away; long lines cost memory in proportion to them.
// (bench/hostile.sh times the full-size ones.)
TEST(PatternAutomaton, HostileTemplatesMeetTheirOwnLimitWithinTheBudget) {
    std::string cjk;
    for (char32_t c = 0x3000; c < 0x3000 + 2 * 2000; c += 2) {
        CharacterSet::appendUtf8(cjk, c);
    }
    const struct {
        std::string pattern;
        Kind kind;
    } rows[] = {
        {"([" + cjk + "]|){1000}", Kind::None},
        {"([" + cjk + "]|){10000}", Kind::TooMuchWork},
        {"(a|aa|aaa|aaaa){0,200}", Kind::None},
        {"(a{1000}){1000}", Kind::TooManyNodes},
        {"[ab]{0,20}a[ab]{20}", Kind::TooManyStates},
        {".{0,20000}", Kind::None},
        {".{20000}", Kind::None},
        {"([a-z]{2}|[0-9]){0,16000}", Kind::CountingOverBudget},
    };
    for (const auto& row : rows) {
        Built built({.pattern = row.pattern}, 64u << 20);
        EXPECT_EQ(built.refusal.kind, row.kind) << row.pattern.substr(0, 40);
    }
    // Classes written out against a --charset of many ranges hold many each.
    EXPECT_EQ(Built({.pattern = std::string(1001, '.'), .charset = cjk}).refusal.kind,
              Kind::TooMuchWork);
    EXPECT_EQ(Built({.pattern = "(a|aa|aaa|aaaa){0,200}"}).generator.count(), BigCount(801));
    EXPECT_NEAR(Built({.pattern = "[A-Z]{20000}"}, 64u << 20).generator.bits(),
                20000 * std::log2(26.0), 1e-6);
    // A stop asked for midway ends the building.
    RandomSource random(PatternGenerator::seededPool(1));
    PatternGenerator generator(random);
    int asked = 0;
    EXPECT_EQ(
        generator
            .build({.pattern = "[ab]{0,20}a[ab]{20}"}, 1u << 30, [&] { return ++asked == 1000; })
            .kind,
        Kind::Stopped);
}

// A line ends at a state with odds of one in its count, also where counts
// pass 64 bits and the secure source decides from their top words.
TEST(PatternGenerator, LongOptionalRunsEndWithTheirOdds) {
    RandomSource random(RandomSource::Kind::Secure, {}, [](std::uint8_t* key, std::size_t size) {
        std::fill(key, key + size, 0x5E);
    });
    PatternGenerator generator(random);
    ASSERT_FALSE(generator.build({.pattern = "[ab]{0,80}"}, 1u << 30));
    std::map<std::size_t, int> lengths;
    for (int i = 0; i < 4000; ++i) {
        std::string line;
        generator.appendLine(line);
        ++lengths[line.size()];
    }
    // Each length is twice as likely as the one below it.
    EXPECT_NEAR(lengths[80], 2000, 150);
    EXPECT_NEAR(lengths[79], 1000, 120);
    EXPECT_NEAR(lengths[78], 500, 90);
}

TEST(PatternGenerator, UniqueRunsDrawEveryStringOnceInAnyOrder) {
    for (const char* pattern : {"[a-c]{1,3}|b", "(a|ab){1,2}[xy]"}) {
        Built built({.pattern = pattern, .unique = true});
        const std::uint64_t total = built.generator.count().low64();
        std::set<std::string> lines;
        for (std::uint64_t i = 0; i < total; ++i) {
            std::string line;
            built.generator.appendLine(line);
            EXPECT_TRUE(std::regex_match(line, std::regex(pattern))) << line;
            lines.insert(line);
        }
        EXPECT_EQ(lines.size(), total) << pattern;
    }
}

// The same seed gives these lines in every version.
TEST(PatternGenerator, SeededLinesNeverChange) {
    Built built({.pattern = "[A-Z]{4}-[a-z0-9]{2,4}|(x|yz){3}"});
    std::string lines;
    for (int i = 0; i < 4; ++i) {
        built.generator.appendLine(lines);
        lines += ' ';
    }
    EXPECT_EQ(lines, "KJUH-0raq VMYA-ax9l DIDN-cny6 XKUI-4qap ");
}

TEST(PatternParser, RefusalsNameTheKindAndColumn) {
    const struct {
        const char* pattern;
        Kind kind;
        std::int64_t column;
        const char* found;
    } rows[] = {
        {"ab*", Kind::OpenRepeat, 3, "*"},
        {"a+", Kind::OpenRepeat, 2, "+"},
        {"x{3,}", Kind::OpenRepeat, 2, "{3,}"},
        {"(a)\\1", Kind::BackReference, 4, "\\1"},
        {"a(?=b)", Kind::LookAround, 2, "(?="},
        {"(?<!a)b", Kind::LookAround, 1, "(?<!"},
        {"\\bword", Kind::WordBoundary, 1, "\\b"},
        {"(?i)abc", Kind::Flags, 1, "(?i"},
        {"a^b", Kind::Anchor, 2, "^"},
        {"a$b", Kind::Anchor, 2, "$"},
        {"(ab", Kind::Unbalanced, 1, "("},
        {"ab)", Kind::Unbalanced, 3, ")"},
        {"[ab", Kind::Unbalanced, 1, "["},
        {"a]", Kind::Unbalanced, 2, "]"},
        {"\\q", Kind::BadEscape, 1, "\\q"},
        {"x\\", Kind::BadEscape, 2, "\\"},
        {"\\x{12", Kind::BadEscape, 1, "\\x{12"},
        {"[]", Kind::EmptyClass, 1, "[]"},
        {"x[[:digit:]]", Kind::PosixClass, 3, "[:"},
        {"[a[=a=]]", Kind::PosixClass, 3, "[="},
        {"é[01Ol]", Kind::EmptyClass, 2, "[01Ol]"},
        {"[z-a]", Kind::ReversedRange, 2, "z-a"},
        {"a{5,3}", Kind::ReversedRange, 2, "{5,3}"},
        {"[\\d-z]", Kind::BadRange, 2, "\\d-z"},
        {"*a", Kind::NothingToRepeat, 1, "*"},
        {"a|?", Kind::NothingToRepeat, 3, "?"},
        {"a??", Kind::NothingToRepeat, 3, "?"},
        {"a{x}", Kind::BadRepeat, 2, "{x"},
        {"\xff", Kind::NotUtf8, 1, ""},
        {"a\tb", Kind::ControlCharacter, 2, "\t"},
        {"\\n", Kind::ControlCharacter, 1, "\\n"},
        {"\\x{D800}", Kind::BadCodePoint, 1, "\\x{D800}"},
        {"\\x{110000}", Kind::BadCodePoint, 1, "\\x{110000}"},
        {"[\\x{2028}]", Kind::ControlCharacter, 2, "\\x{2028}"},
        {"(a{1000}){1000}", Kind::TooManyNodes, 0, ""},
        {"(((a{1000}){1000}){1000}){3000}", Kind::LineTooLong, 26, ""},
        {"[ab]{0,20}a[ab]{20}", Kind::TooManyStates, 0, ""},
    };
    for (const auto& row : rows) {
        Built built({.pattern = row.pattern, .noSimilar = true});
        EXPECT_EQ(built.refusal.kind, row.kind) << row.pattern;
        EXPECT_EQ(built.refusal.column, row.column) << row.pattern;
        EXPECT_EQ(built.refusal.found, row.found) << row.pattern;
    }
    const std::string deep = std::string(201, '(') + std::string(201, ')');
    const std::string longText(PatternParser::kMostBytes + 1, 'a');
    EXPECT_EQ(Built({.pattern = deep}).refusal.figure, 200u);
    EXPECT_EQ(Built({.pattern = longText}).refusal.kind, Kind::PatternTooLong);
    EXPECT_EQ(Built({.pattern = "([a-z]{2}|[0-9]){0,3000}"}, 1 << 20).refusal.kind,
              Kind::CountingOverBudget);
    EXPECT_EQ(Built({.pattern = "a", .charset = "z-a"}).refusal.kind, Kind::Backwards);
}

}  // namespace
}  // namespace ovantis
