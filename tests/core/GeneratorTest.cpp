#include <gtest/gtest.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <clocale>
#include <cmath>
#include <regex>
#include <set>
#include <sstream>
#include <variant>

#include "NumberGenerator.h"
#include "RedrawLimit.h"
#include "SettingFields.h"
#include "StringGenerator.h"
#include "TestKeys.h"

namespace ovantis {
namespace {

// One line, without its end.
template <class Generator>
std::string lineOf(Generator&& generator) {
    std::string line;
    generator.appendLine(line);
    return line;
}

using Kind = RandomSource::Kind;
template <class Settings>
using GeneratorFor =
    std::conditional_t<std::is_same_v<Settings, StringSettings>, StringGenerator, NumberGenerator>;
using AnySettings = std::variant<StringSettings, NumberSettings>;

// Runs body on each kind of source; the secure one takes fixed keys, so any
// two sources of a kind draw alike.
template <class Body>
void onEachSource(Body body) {
    for (Kind kind : {Kind::Classic, Kind::Secure}) {
        SCOPED_TRACE(kind == Kind::Secure ? "secure" : "classic");
        body(kind);
    }
}

template <class Settings>
std::vector<std::string> linesOf(const Settings& settings, int count, std::uint32_t seed = 1) {
    RandomSource random;
    random.seed(seed);
    GeneratorFor<Settings> generator(settings, random);
    std::vector<std::string> lines(count);
    for (std::string& line : lines) {
        generator.appendLine(line);
    }
    return lines;
}

// Pearson's statistic over the buckets that are not empty, against equal
// expectations; used gets their number. bucket() names the bucket of a draw.
template <class Bucket>
double chiSquare(std::size_t buckets, std::size_t draws, Bucket bucket, std::size_t& used) {
    std::vector<double> counts(buckets);
    for (std::size_t i = 0; i < draws; ++i) {
        ++counts[bucket()];
    }
    counts.erase(std::remove(counts.begin(), counts.end(), 0.0), counts.end());
    used = counts.size();
    const double expected = static_cast<double>(draws) / used;
    double sum = 0;
    for (double c : counts) {
        sum += (c - expected) * (c - expected) / expected;
    }
    return sum;
}

NumberSettings numbers(float low, float high, bool integers, bool decimals, int places = 2) {
    return {integers, decimals, low, high, 10, places};
}

// Lines of charset's characters alone.
StringSettings only(std::string charset, int minLength = 1, int maxLength = 1) {
    StringSettings s{.upper = false, .lower = false, .charset = charset, .minLength = minLength};
    s.maxLength = maxLength;
    return s;
}

TEST(Golden, DefaultsWithSeedOne) {
    EXPECT_EQ(linesOf(StringSettings{}, 10),
              (std::vector<std::string>{"gmAfxi", "VCGbDXff", "STPpxPV", "tCscEIF", "NMKssE",
                                        "yXTsYSDe", "BOJVAy", "OyFbpJi", "AyhNRp", "JOauW"}));
    EXPECT_EQ(linesOf(NumberSettings{}, 10),
              (std::vector<std::string>{"80.87", "89.60", "100", "85.89", "98.85", "97", "80.26",
                                        "87.60", "95.59", "86.22"}));
    EXPECT_EQ(linesOf(numbers(80, 100, false, true, 1), 4),
              (std::vector<std::string>{"80.9", "89.6", "85.9", "98.9"}));
}

// The class first, by RandInRange(1, k) in drawing order, then the character
// over the class's members in ascending order.
TEST(Golden, ExtendedClassSteps) {
    StringSettings allClasses{
        .digits = true, .symbols = true, .noSimilar = true, .eachClass = true};
    allClasses.minLength = allClasses.maxLength = 6;
    StringSettings custom = only("äöü€-₿", 5, 8);
    custom.digits = true;
    custom.exclude = "3-5";
    StringSettings shared{.upper = false, .symbols = true, .charset = "ä", .eachClass = true};
    shared.minLength = shared.maxLength = 5;
    EXPECT_EQ(linesOf(allClasses, 3, 7), (std::vector<std::string>{"P5Q7/y", "z2L^W*", "Gd<a32"}));
    EXPECT_EQ(linesOf(custom, 3, 9),
              (std::vector<std::string>{"₮1₾6₷", "6₮₮₲₼₼", "8080₳"}));
    EXPECT_EQ(linesOf(shared, 3, 11), (std::vector<std::string>{"ynä/#", "qä#,j", "ää!k#"}));
}

// Every line has the shape its options ask for, on either source: one of each
// class, no look-alike nor excluded character, whole characters of a set, head
// and tail verbatim around the core. Ranges skip surrogates and line breaks,
// even across the whole of Unicode; where given, possible counts the lines.
TEST(StringGeneration, EveryLineHasTheShapeItsOptionsAsk) {
    const StringSettings wrapped{.head = " user_", .tail = "@例子.com ", .minLength = 3};
    StringSettings emptyCore = wrapped;
    emptyCore.minLength = -9;
    emptyCore.maxLength = -3;
    struct Case {
        const char* shape;
        StringSettings settings;
        std::uint64_t possible = 0;  // 0: not counted here
    } const cases[] = {
        {"(?=.*[A-Z])(?=.*[a-z])(?=.*[0-9])(?=.*[^A-Za-z0-9]).{4}",
         {.digits = true, .symbols = true, .eachClass = true, .minLength = 4, .maxLength = 4}},
        {R"([A-HJ-NP-Z2-9!-/:-@\[-`{}~]{2,8})",
         {.digits = true, .symbols = true, .exclude = "a-z", .noSimilar = true, .minLength = 2}},
        {"(ä|ö|ü){5}", only("äöü", 5, 5), 243},
        {R"( user_[A-Za-z]{3,8}@例子\.com )", wrapped},
        {R"( user_@例子\.com )", emptyCore, 1},
        {"\xED\x9F\xBF|\xEE\x80\x80", only("\uD7FF-\uE000"), 2},
        {"~|\xC2\xA0", only("~-\u00A0"), 2},
        {"\xE2\x80[\xA7\xAA]", only("\u2027-\u202A"), 2},
        // 0x110000 less 32 C0 controls, DEL, 32 C1 controls, 2 separators, 2048 surrogates.
        {"[^\x01-\x1F\x7F]{1,4}", only(" -\U0010FFFF"), 0x110000 - 32 - 35 - 2048}};
    onEachSource([&](Kind kind) {
        for (const auto& [shape, settings, possible] : cases) {
            SCOPED_TRACE(shape);
            RandomSource random(kind, {}, test::testKeys);
            StringGenerator generator(settings, random);
            EXPECT_TRUE(possible == 0 || generator.possibleLines() == possible);
            const std::regex pattern(shape);
            for (int i = 0; i < 20000; ++i) {
                const std::string line = lineOf(generator);
                ASSERT_TRUE(std::regex_match(line, pattern) && !line.starts_with("\xED\xA0"))
                    << line;
            }
            // And a chunk at a time, where the settings allow it.
            std::string chunk;
            generator.appendLines(chunk, 3000, "\n", 1 << 20);
            for (std::istringstream in(chunk); std::getline(in, chunk);) {
                ASSERT_TRUE(std::regex_match(chunk, pattern)) << chunk;
            }
        }
    });
}

TEST(StringGeneration, ClassicClassesAreEquallyLikelyAndEveryCodeOccurs) {
    RandomSource random;
    const std::string line =
        lineOf(StringGenerator({.digits = true, .minLength = 60000, .maxLength = 60000}, random));
    EXPECT_NEAR(std::count_if(line.begin(), line.end(), ::isdigit), 20000, 1200) << "1 in 3";
    EXPECT_EQ(std::set<char>(line.begin(), line.end()).size(), 62u);
    EXPECT_NEAR(std::count(line.begin(), line.end(), 'Q'), 60000 / 78, 200) << "1 in 78";
}

// Long lines reach the sink in pieces and are the very lines made without a
// sink, lines judged whole before they are kept included; once the sink says
// stop, no more is made.
TEST(StringGeneration, LongLinesStreamAsTheyWouldBeMadeWholeAndStopWhenAsked) {
    struct Pieces : TextSink {
        std::string text;
        std::size_t largest = 0;
        int calls = 0, stopAfter = 1 << 30;
        bool drain(std::string& buffer) override {
            largest = std::max(largest, buffer.size());
            text += buffer;
            buffer.clear();
            return ++calls < stopAfter;
        }
    };
    StringSettings redrawn = only("é", 150000, 200000);
    redrawn.lower = redrawn.digits = redrawn.eachClass = redrawn.unique = true;
    const std::pair<StringSettings, std::size_t> cases[] = {
        {{.minLength = 1000000, .maxLength = 1000000}, 70000}, {redrawn, 140000}};
    onEachSource([&](Kind kind) {
        for (const auto& [settings, largest] : cases) {
            SCOPED_TRACE(settings.minLength);
            RandomSource wholeSource(kind, {}, test::testKeys),
                piecesSource(kind, {}, test::testKeys);
            StringGenerator whole(settings, wholeSource), streamed(settings, piecesSource);
            std::string expected, buffer;
            Pieces sink, stopping;
            for (int i = 0; i < 3; ++i) {
                expected += lineOf(whole) + "\n";
                ASSERT_TRUE(streamed.appendLine(buffer, &sink));
                buffer += "\n";
                sink.drain(buffer);
            }
            EXPECT_TRUE(sink.text == expected) << "not the lines made whole";
            EXPECT_LE(sink.largest, largest);
            stopping.stopAfter = 2;
            EXPECT_FALSE(streamed.appendLine(buffer, &stopping));
            EXPECT_EQ(stopping.calls, 2);
        }
    });
}

// Kept lines cost a fixed-size hash each, whatever their length.
TEST(StringGeneration, MemoryNeededGrowsWithCountOnlyForUniqueLines) {
    RandomSource random;
    const StringGenerator unique({.unique = true, .maxLength = 1000000000}, random);
    const StringGenerator eachClass({.eachClass = true, .maxLength = 1000000000}, random);
    EXPECT_GE(unique.memoryNeeded(1000000) - unique.memoryNeeded(0), 32000000u);
    EXPECT_LE(unique.memoryNeeded(1000000), 100000000u);
    EXPECT_EQ(eachClass.memoryNeeded(1000000), eachClass.memoryNeeded(0));
    EXPECT_LE(eachClass.memoryNeeded(0), 1u << 20);
}

// Every line has the places asked for and lies in the range, give or take half
// a unit of its last place; some line matches mustSee, showing the range's edge
// is reached (or, where no draw can serve, that the high bound is given).
TEST(NumberGeneration, LinesStayInsideTheirBoundsAndReachTheirEdges) {
    struct Case {
        float low, high;
        bool integers;  // else decimals
        int places;
        const char* mustSee;
    } const cases[] = {
        // The top grid point, not 85.10000000.
        {0, 85.1f, false, 8, R"(85\.09999847)"},
        // Rounding lifts a grid point equal to low above it.
        {7, 49, false, 2, R"(7\.00)"},
        {-3, -3, false, 6, R"(-3\.000000)"},
        {-0.123456f, -0.123456f, false, 6, R"(-0\.123456)"},
        // The only grid point above low is the redraw marker.
        {0.1234559f, 0.123456f, false, 6, R"(0\.123456)"},
        {-5, 5, true, 0, "-5"},
        {-5, 5, false, 3, R"(-4\.\d{3})"},
        {-100, -90, false, 3, R"(-99\..*)"},
        {-1, 0, false, 3, R"(-0\.9.*)"},
        {0.5f, 1.5f, true, 0, "1"},
        {-1.5f, -0.5f, true, 0, "-1"},
        {7, 7.5f, true, 0, "7"},
        {80, 100, false, 0, "99"},
        {-3e38f, 3e38f, false, 3, "-.*"},
        {-3e38f, 3e38f, false, 100, ".*"},
        {-4294967296.0f, 4294967296.0f, true, 0, R"(-4\d{9})"},  // beyond 32 bits
        {-9223372036854775808.0f, -9223372036854775808.0f, true, 0, "-9223372036854775808"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << "~" << c.high << " places " << c.places);
        RandomSource random;
        NumberGenerator generator(numbers(c.low, c.high, c.integers, !c.integers, c.places),
                                  random);
        const double half = c.integers ? 0 : 0.5 * std::pow(10.0, -c.places);
        const std::regex mustSee(c.mustSee);
        bool seen = false;
        for (int i = 0; i < 300000 && (i < 50 || !seen); ++i) {
            const std::string line = lineOf(generator);
            const std::size_t dot = line.find('.');
            ASSERT_EQ(dot == std::string::npos ? 0 : line.size() - dot - 1,
                      static_cast<std::size_t>(c.integers ? 0 : c.places))
                << line;
            ASSERT_GE(std::stod(line), c.low - half) << line;
            ASSERT_LE(std::stod(line), c.high + half) << line;
            seen = seen || std::regex_match(line, mustSee);
        }
        EXPECT_TRUE(seen) << c.mustSee;
    }
}

// Qt sets the C locale from the environment; numbers must not follow it.
// Classic lines made a chunk at a time are the lines made one at a time, and
// leave the source where those would: across blocks of draws, chunk limits
// and lines that run past a block.
TEST(Generation, ClassicChunksAreTheLinesMadeOneAtATime) {
    const struct {
        AnySettings settings;
        std::string_view lineEnd;
    } cases[] = {
        {numbers(80, 100, true, false), "\n"},
        {numbers(-20000, 12767, true, false), "\n"},
        {numbers(-2e9f, 2e9f, true, false), "\r\n"},
        {numbers(80, 100, false, true), "\r\n"},
        {numbers(-3.5f, 2.25f, false, true, 3), "\n"},
        {numbers(99.9f, 100, false, true, 1), "\n"},
        {numbers(80, 100, true, true), "\n"},
        {numbers(0.5f, 0.5f, true, true, 3), "\r\n"},
        {numbers(0.5f, 0.5f, false, true, 3), "\n"},
        {StringSettings{.digits = true, .minLength = 8}, "\n"},
        {StringSettings{.lower = false, .head = "ab", .tail = "Z", .minLength = 0}, "\r\n"},
        {StringSettings{.digits = true, .minLength = 400, .maxLength = 700}, "\n"},
        {StringSettings{.upper = false, .digits = true, .minLength = -2, .maxLength = 900}, "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const std::string_view lineEnd = c.lineEnd;
        std::visit(
            [&](const auto& s) {
                constexpr std::int64_t kLines = 30000;
                RandomSource one(Kind::Classic);
                RandomSource many(Kind::Classic);
                one.seed(5);
                many.seed(5);
                GeneratorFor<std::decay_t<decltype(s)>> byLine(s, one);
                GeneratorFor<std::decay_t<decltype(s)>> byChunk(s, many);
                std::string expected;
                for (std::int64_t i = 0; i < kLines; ++i) {
                    byLine.appendLine(expected);
                    expected += lineEnd;
                }
                std::string chunks;
                for (std::int64_t made = 0; made < kLines;) {
                    std::string chunk;
                    const std::int64_t lines =
                        byChunk.appendLines(chunk, kLines - made, lineEnd, 1 << 14);
                    ASSERT_GT(lines, 0);
                    made += lines;
                    chunks += chunk;
                }
                EXPECT_EQ(chunks, expected);
                EXPECT_EQ(many.snapshot(), one.snapshot());
            },
            c.settings);
    }
}

TEST(NumberGeneration, CommaLocalesChangeNeitherWritingNorReading) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale (make test generates it)";
    }
    const std::vector<std::string> lines =
        linesOf(numbers(*ReadFloatField("1.5"), 2.5f, false, true), 20);
    std::setlocale(LC_ALL, previous.c_str());
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find(','), std::string::npos) << line;
        EXPECT_GE(std::stod(line), 1.5) << line;
    }
}

// Limits for a correct build to exceed with probability below 1e-6.
TEST(SecureDraws, CharactersDecimalsAndUniqueOrdersAreUniform) {
    // A fixed key, so the statistics are fixed too.
    RandomSource random(std::make_unique<EntropyPool>(EntropyPool::Key{1, 2, 3, 4, 5, 6, 7, 8},
                                                      EntropyPool::Nonce{}, 0));
    std::size_t used = 0;
    const std::string chars = lineOf(StringGenerator(
        {.digits = true, .symbols = true, .minLength = 940000, .maxLength = 940000}, random));
    std::size_t at = 0;
    const auto character = [&] { return static_cast<unsigned char>(chars[at++]); };
    EXPECT_LT(chiSquare(128, chars.size(), character, used), 173);
    EXPECT_EQ(used, 94u);

    NumberGenerator decimals(numbers(0, 1, false, true, 6), random);
    const auto hundredth = [&] {
        return std::min(99, static_cast<int>(std::stod(lineOf(decimals)) * 100));
    };
    EXPECT_LT(chiSquare(100, 200000, hundredth, used), 181);

    // Sign and last place of wide decimals: every digit, as every digit before it.
    NumberGenerator wide(numbers(-1, 1, false, true, 60), random);
    const auto signAndDigit = [&] {
        const std::string line = lineOf(wide);
        return (line[0] == '-' ? 10 : 0) + line.back() - '0';
    };
    EXPECT_LT(chiSquare(20, 40000, signAndDigit, used), 64);
    EXPECT_EQ(used, 20u);

    // Lines made a chunk at a time.
    const auto chunked = [&](const auto& settings) {
        GeneratorFor<std::decay_t<decltype(settings)>> generator(settings, random);
        std::string out;
        generator.appendLines(out, 200000, "\n", std::size_t{1} << 24);
        return out;
    };
    const std::string narrow = chunked(numbers(80, 100, true, false));
    const std::string wideInts = chunked(numbers(0, 1e9f, true, false));
    const std::string cents = chunked(numbers(80, 99.99f, false, true));
    std::string letters = chunked(StringSettings{.digits = true, .minLength = 8});
    std::erase(letters, '\n');
    std::istringstream in[] = {std::istringstream(narrow), std::istringstream(wideInts),
                               std::istringstream(cents)};
    const auto next = [&](int i) {
        std::string line;
        std::getline(in[i], line);
        return std::stod(line);
    };
    EXPECT_LT(chiSquare(
                  21, 200000, [&] { return next(0) - 80; }, used),
              52);
    EXPECT_LT(chiSquare(
                  100, 200000, [&] { return std::min(99.0, next(1) / 1e7); }, used),
              181);
    EXPECT_LT(chiSquare(
                  100, 200000, [&] { return std::lround(next(2) * 100) % 100; }, used),
              181);
    at = 0;
    const auto letter = [&] { return static_cast<unsigned char>(letters[at++]); };
    EXPECT_LT(chiSquare(128, letters.size(), letter, used), 110);
    EXPECT_EQ(used, 62u);

    // Each order of 1, 2 and 3, read as a number.
    NumberSettings threeInts = numbers(1, 3, true, false);
    threeInts.unique = true;
    const auto order = [&] {
        NumberGenerator generator(threeInts, random);
        return std::stoi(lineOf(generator) + lineOf(generator) + lineOf(generator));
    };
    EXPECT_LT(chiSquare(322, 60000, order, used), 36);
    EXPECT_EQ(used, 6u);
}

// Exactly the values k / 10^places inside the range, bounds as typed, however
// many places and digits: possibleLines counts them.
TEST(SecureDraws, DecimalsAreExactlyTheValuesWithTheirPlaces) {
    const std::string tiny = "-0." + std::string(29, '0') + "1" + std::string(70, '0');
    struct Case {
        float low, high;
        int places;
        std::set<std::string> values;
    } const cases[] = {
        {-0.02f, 0.01f, 2, {"-0.02", "-0.01", "0.00", "0.01"}},
        {0.1f, 0.3f, 1, {"0.1", "0.2", "0.3"}},
        {0.5f, 2.5f, 0, {"1", "2"}},
        {1e19f, 1e19f, 1, {"10000000000000000000.0"}},
        {-1e-30f, -1e-30f, 100, {tiny}},
    };
    RandomSource random(Kind::Secure, {}, test::testKeys);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << "~" << c.high << " places " << c.places);
        NumberGenerator generator(numbers(c.low, c.high, false, true, c.places), random);
        EXPECT_EQ(generator.possibleLines(), c.values.size());
        std::set<std::string> seen;
        for (int i = 0; i < 200; ++i) {
            seen.insert(lineOf(generator));
        }
        EXPECT_EQ(seen, c.values);
        // Whole chunks, where the range allows them, write the same texts.
        std::string chunk;
        generator.appendLines(chunk, 200, "\n", 1 << 16);
        std::set<std::string> chunked;
        for (std::istringstream in(chunk); std::getline(in, chunk);) {
            chunked.insert(chunk);
        }
        EXPECT_TRUE(chunked.empty() || chunked == c.values);
    }
}

BigCount lineCountOf(const StringGenerator& generator) {
    return generator.lineCount(1 << 14).value_or(BigCount());
}
BigCount lineCountOf(const NumberGenerator& generator) {
    return generator.lineCount();
}

// Exact counts go on past 2^64 (26^13 + 26^14; 52^11 - 2 * 26^11; 11 integers
// and 10^20 + 1 values with 19 places); past what is worth writing out, the
// bits alone, the longest lines outweighing the rest.
TEST(LineCounts, ExactPastSixtyFourBitsThenBitsAlone) {
    const std::pair<AnySettings, const char*> cases[] = {
        {StringSettings{.upper = false, .minLength = 13, .maxLength = 14}, "66991127576500887552"},
        {StringSettings{.eachClass = true, .minLength = 11, .maxLength = 11},
         "7509524820376989696"},
        {numbers(0, 10, true, true, 19), "100000000000000000012"},
    };
    RandomSource random(Kind::Secure, {}, test::testKeys);
    for (const auto& [settings, count] : cases) {
        const std::string expected = count;  // a lambda cannot take a binding
        std::visit(
            [&](const auto& s) {
                const GeneratorFor<std::decay_t<decltype(s)>> generator(s, random);
                EXPECT_EQ(lineCountOf(generator).toDecimal(), expected);
            },
            settings);
    }
    const StringGenerator binary(only("01", 0, 100000), random);
    EXPECT_FALSE(binary.lineCount(1 << 14));
    EXPECT_NEAR(binary.lineBits(), 100001, 1e-6);
}

// Lengths 0 to 3 of 0 and 1 (1 + 2 + 4 + 8 lines); a0..a9 and 0a..9a.
TEST(UniqueLines, CountsArePossibleLinesAndNoLineRepeats) {
    StringSettings eachOf = only("a", 2, 2);
    eachOf.digits = eachOf.eachClass = true;
    const std::pair<AnySettings, std::uint64_t> cases[] = {
        {numbers(1, 6, true, false), 6},
        {numbers(1, 6, true, true, 1), 6 + 51},
        {numbers(1, 6, true, true, 0), 6},              // places 0 give the integers again
        {numbers(-0.004f, 0.004f, false, true, 2), 1},  // -0.00 is 0.00
        {numbers(-0.4f, 0.4f, true, true, 0), 1},
        {only("01", 0, 3), 15},
        {eachOf, 20}};
    onEachSource([&](Kind kind) {
        for (const auto& [settings, count] : cases) {
            const std::uint64_t possible = count;  // a lambda cannot take a binding
            SCOPED_TRACE(possible);
            RandomSource random(kind, {}, test::testKeys);
            std::set<std::string> lines;
            std::visit(
                [&](auto s) {
                    s.unique = true;
                    GeneratorFor<decltype(s)> generator(s, random);
                    EXPECT_EQ(generator.possibleLines(), possible);
                    if (kind == Kind::Secure) {
                        EXPECT_EQ(lineCountOf(generator), BigCount(possible));
                    }
                    for (std::uint64_t i = 0; i < possible; ++i) {
                        std::string line;
                        generator.appendLine(line);
                        lines.insert(line);
                    }
                },
                settings);
            EXPECT_EQ(lines.size(), possible);
        }
    });
}

// A negative length makes an empty line; counts saturate at 2^62 without
// counting on through every length, number counts where two saturated kinds
// add up. Classic lines follow from the state's bits a draw reads: a class
// among three reads all 15, bits 0 to 30. Cases: 26^13, 52^10 - 2 * 26^10.
TEST(UniqueLines, PossibleLinesAtTheEdges) {
    const std::uint64_t cap = std::uint64_t{1} << 62;
    const float top = 4611686018427387904.0f;  // 2^62
    const auto classic = Kind::Classic, secure = Kind::Secure;
    const std::tuple<AnySettings, Kind, std::uint64_t> cases[] = {
        {StringSettings{.minLength = -5, .maxLength = -5}, classic, 1},
        {only("ab", -3, 1), classic, 1 + 2},
        {StringSettings{.upper = false, .minLength = 13, .maxLength = 13}, secure,
         2481152873203736576u},
        {StringSettings{.upper = false, .minLength = 13, .maxLength = 14}, secure, cap},
        {StringSettings{.upper = false, .minLength = 13, .maxLength = 14}, classic, 2147483648u},
        {StringSettings{.eachClass = true, .minLength = 10, .maxLength = 10}, secure,
         144272771757750272u},
        {StringSettings{.eachClass = true, .minLength = 11, .maxLength = 11}, secure, cap},
        {StringSettings{.eachClass = true, .minLength = 12, .maxLength = 2147483647}, secure, cap},
        {only("x", -1, 2147483647), secure, 2147483648u},
        {only("01", 20, 20), secure, 1048576},
        {only("01", 20, 20), classic, 131072},
        {only("0-7", 8, 8), classic, 524288},
        {numbers(2, top, true, false), classic, cap - 1},
        {numbers(0, top, true, false), classic, cap},
        {numbers(-9e18f, 9e18f, true, false), classic, cap},
        {numbers(0, 1, false, true, 30), secure, cap},
        {numbers(0, top, true, true, 1), secure, cap},
        {numbers(0, top, true, true, 0), secure, cap}};
    for (const auto& [settings, kind, possible] : cases) {
        SCOPED_TRACE(possible);
        RandomSource random(kind, {}, test::testKeys);
        std::visit(
            [&random, expected = possible](const auto& s) {
                EXPECT_EQ(GeneratorFor<std::decay_t<decltype(s)>>(s, random).possibleLines(),
                          expected);
            },
            settings);
    }
}

// Lines of one odd number of draws each come round again after the classic
// period possibleLines names.
TEST(UniqueLines, ClassicLinesRepeatWithTheirPeriod) {
    for (const StringSettings& settings : {only("01", 20, 20), only("0-7", 8, 8)}) {
        RandomSource random;
        StringGenerator generator(settings, random);
        const std::string first = lineOf(generator) + lineOf(generator);
        for (std::uint64_t i = 2; i < generator.possibleLines(); ++i) {
            lineOf(generator);
        }
        EXPECT_EQ(lineOf(generator) + lineOf(generator), first);
    }
}

// Where no line can pass (an empty line never holds every class; the only
// number is taken), each generator ends its redraws when its sink says stop,
// or gives up once its clock has moved on two seconds with nothing kept.
TEST(UniqueLines, RedrawsStopWhenAskedOrGiveUpAfterASecond) {
    struct Stop : TextSink {
        bool drain(std::string&) override { return false; }
    } stop;
    NumberSettings one = numbers(1, 1, true, true, 0);
    one.unique = true;
    int reads = 0;
    RandomSource random(Kind::Classic, [&] { return std::time_t{reads++}; });
    StringGenerator strings({.eachClass = true, .minLength = 0, .maxLength = 0}, random);
    NumberGenerator numbers(one, random);
    std::string line;
    numbers.appendLine(line);
    EXPECT_FALSE(strings.appendLine(line, &stop) || numbers.appendLine(line, &stop));
    EXPECT_EQ(reads, 0);
    EXPECT_THROW(strings.appendLine(line), RedrawLimit);
    EXPECT_EQ(reads, 3);
    EXPECT_THROW(numbers.appendLine(line), RedrawLimit);
    EXPECT_EQ(reads, 6);
}

// Lines drawn per kept --each-class line: the chance of a line holding every
// class follows the source's steps (class first on the classic one) and an
// even spread of lengths, negative ones included.
TEST(UniqueLines, DrawsPerEachClassLineFollowTheSource) {
    const StringSettings both{.eachClass = true, .minLength = 2, .maxLength = 2};
    const StringSettings rare{
        .lower = false, .charset = "é", .eachClass = true, .minLength = 2, .maxLength = 2};
    const StringSettings shortOnes{.eachClass = true, .minLength = -1, .maxLength = 2};
    const std::tuple<StringSettings, Kind, double> cases[] = {{both, Kind::Secure, 2},
                                                              {both, Kind::Classic, 2},
                                                              {rare, Kind::Secure, 729.0 / 52},
                                                              {rare, Kind::Classic, 2},
                                                              {shortOnes, Kind::Secure, 8}};
    for (const auto& [settings, kind, draws] : cases) {
        RandomSource random(kind, {}, test::testKeys);
        EXPECT_NEAR(StringGenerator(settings, random).drawsPerLine(), draws, 1e-9);
    }
}

// The memory a unique run states up front covers what it keeps, and is not
// more than twice that; glibc reports its heap, the sanitizers keep their own.
#if defined(__GLIBC__) && !defined(OVANTIS_SANITIZED)
TEST(UniqueLines, MemoryNeededCoversWhatARunKeeps) {
    const auto heapInUse = [] {
        const struct mallinfo2 info = ::mallinfo2();
        return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
    };
    const AnySettings cases[] = {
        numbers(0, 9e18f, true, false), numbers(-1e6f, 1e6f, false, true, 30),
        numbers(0, 1e6f, false, true, 2), StringSettings{.minLength = 40, .maxLength = 40},
        StringSettings{.minLength = 6, .maxLength = 6}};
    constexpr int kLines = 100000;
    for (const AnySettings& settings : cases) {
        SCOPED_TRACE(settings.index());
        std::visit(
            [&](auto s) {
                s.unique = true;
                RandomSource random(Kind::Secure, {}, test::testKeys);
                const std::int64_t before = heapInUse();
                GeneratorFor<decltype(s)> generator(s, random);
                std::string line;
                for (int i = 0; i < kLines; ++i) {
                    line.clear();
                    generator.appendLine(line);
                }
                const auto kept = static_cast<std::uint64_t>(heapInUse() - before);
                EXPECT_GE(generator.memoryNeeded(kLines), kept);
                EXPECT_LE(generator.memoryNeeded(kLines), 2 * kept);
                s.unique = false;
                EXPECT_EQ(GeneratorFor<decltype(s)>(s, random).memoryNeeded(kLines), 0u);
            },
            settings);
    }
}
#endif

}  // namespace
}  // namespace ovantis
