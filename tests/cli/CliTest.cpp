#include "CliApp.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <regex>
#include <set>
#include <sstream>
#include <system_error>
#include <tuple>

#include "EveryRefusal.h"
#include "FaultPoints.h"
#include "FdStreambuf.h"
#include "Refusals.h"
#include "Request.h"
#include "Signals.h"
#include "TempFolder.h"
#include "TestKeys.h"
#include "TimeSettings.h"
#include "Version.h"

namespace ovantis::cli {
namespace {

using test::readAll;
using test::shell;
using test::TempFolder;
constexpr auto npos = std::string::npos;

struct Result {
    int status;
    std::string out, err;
};

Result cliArgs(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = run(args, out, err);
    return {status, out.str(), err.str()};
}

// Runs a command line split at spaces; '' stands for an empty argument.
Result cli(const std::string& line) {
    std::vector<std::string> args;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        args.push_back(word == "''" ? "" : word);
    }
    return cliArgs(args);
}

// The first group of each match of pattern in text; by default the lines.
std::vector<std::string> matches(const std::string& text, const char* pattern = "(.*)\n") {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

// The secure source without its key is an I/O failure, never a weaker key.
TEST(CliSource, AKeySourceThatFailsEndsTheRunWithStatusOne) {
    std::ostringstream out, err;
    const KeySource failing = [](std::uint8_t*, std::size_t) {
        throw std::system_error(ENOSYS, std::generic_category());
    };
    EXPECT_EQ(run({"string"}, out, err, failing), kExitIo);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "ovantis-cli: cannot read the system's random source: Function not implemented\n");
    EXPECT_EQ(run({"string", "--seed", "1"}, out, err, failing), kExitOk);
}

// A run giving up midway (its clock racing on a second a read) is a refusal
// that has written whole lines only, naming the classic source where it drew.
TEST(CliSource, AGiveUpMidwayLeavesWholeLinesAndNamesTheClassicSource) {
    for (const bool seeded : {false, true}) {
        const std::vector<std::string> args = {"string",         "--charset=0-9",
                                               "--length=5",     "--unique",
                                               "--count=100000", seeded ? "--seed=1" : "--secure"};
        std::ostringstream out, err;
        std::time_t second = 0;
        EXPECT_EQ(run(args, out, err, test::testKeys, [&] { return second++; }), kExitUsage);
        const std::string text = out.str();
        const auto lines = std::count(text.begin(), text.end(), '\n');
        EXPECT_TRUE(lines > 50000 && lines < 100000) << lines;
        EXPECT_EQ(text.size(), 6u * static_cast<std::size_t>(lines));
        EXPECT_TRUE(text.find_first_not_of("0123456789\n") == npos && text.ends_with('\n'));
        EXPECT_NE(err.str().find(seeded ? "classic source (--seed)" : "no further line"), npos)
            << err.str();
    }
}

// Key and nonce, 44 bytes, in one getrandom call (std::random_device may use
// the processor's generator instead).
TEST(CliSource, KeysFromGetrandom) {
    if (shell("strace -o /dev/null true 2>&1 && echo ok") != "ok\n") {
        GTEST_SKIP() << "strace is missing or may not trace here";
    }
    EXPECT_NE(shell("strace -f -e trace=getrandom " OVANTIS_CLI_PATH " string -n 1 2>&1 >/dev/null")
                  .find(", 44, 0) = 44\n"),
              npos);
}

TEST(CliSource, SecureUnlessSeededAndNowIsTheCurrentSecond) {
    const Result a = cli("string -ULD --min-length 16 --max-length 16 -n 20");
    EXPECT_EQ(a.status, kExitOk);
    EXPECT_NE(a.out, cli("string -ULD --min-length 16 --max-length 16 -n 20").out);
    EXPECT_TRUE(std::regex_match(a.out, std::regex("([A-Za-z0-9]{16}\n){20}"))) << a.out;
    const std::time_t before = std::time(nullptr);
    const Result now = cli("number --seed now");
    const Result second = cli("number --seed " + std::to_string(before));
    if (std::time(nullptr) == before) {
        EXPECT_EQ(now.out, second.out);
    }
}

// Command lines refused with status 2, each with a fragment of its message.
const std::vector<std::pair<std::string, std::string>>& refusals() {
    static const std::vector<std::pair<std::string, std::string>> cases = {
        {"string -n 0", "ovantis-cli: The count is not valid: -n must be at least 1 (got 0)\n"},
        {"string --length 9..3",
         "The length range is not valid: --length MAX must not be below --length MIN (got 9 and "
         "3)"},
        {"number --range 100..80", "--range LOW must not exceed --range HIGH"},
        {"string --min-length 9 --max-length 3",
         "ovantis-cli: The length range is not valid: --max-length must not be below "
         "--min-length (got 9 and 3)\n"},
        {"number --places 101",
         "ovantis-cli: The number of decimal places is not valid: --places must be 0 to 100"},
        {"number --low 5 --high 1",
         "ovantis-cli: The value range is not valid: --low must not exceed --high"},
        {"number --integer --low 0.5 --high 0.7",
         "The value range is not valid: --integer needs a whole number"},
        {"number --high 1e39", "The value range is not valid: --low and --high must lie within"},
        {"time --exec ''", "ovantis-cli: Name a program to run: --exec needs a program name\n"},
        {"time --min-delay 5 --max-delay 1",
         "The interval range is not valid: --max-delay must not be below"},
        {"number -n 20 --integer --low 1 --high 6 --unique",
         "ovantis-cli: cannot make 20 unique lines: only 6 are possible\n"},
        {"string --charset 0-7 --length 8 --unique -n 600000 --seed 1",
         "600000 unique lines: the classic source (--seed) makes at most 524288 different"},
        {"number --decimal --places 0 --range 0.1..0.9 --unique -n 2",
         "The value range is not valid: --decimal needs a value with 0 places between"},
        {"number --integer --unique -n 2000000000 --range 0..9e18",
         "ovantis-cli: --unique needs about 105 GiB for 2000000000 lines, above the 1024 MiB "
         "memory budget (raise it with --max-memory)\n"},
        {"string -L --length 6 --unique -n 300000000", "--unique needs about 16 GiB"},
        {"number --integer --unique -n 30000 --range 1..99999 --max-memory 1",
         "about 2 MiB for 30000 lines"},
        {"number --max-memory 0", "--max-memory: must be at least 1 MiB (got 0)"},
        {"string -ULDS --each-class --min-length 3 --max-length 3", "--max-length of at least 4"},
        {"string --charset z-a", "each range low-high in order"},
        {"string --exclude z-a", "--exclude needs each range low-high in order"},
        {"string -D --length 8 --unique -n 100000000 --max-memory 100000",
         "--count: the last of 100000000 unique lines would take about 1e+08 draws"},
        {"string -D --exclude 0-9", "no characters are left"},
        {"string --tail \u2028",
         "ovantis-cli: The character set is not valid: --tail holds the control character "
         "U+2028; each value must stay one line of plain text"},
        {"string --head \xC3", "--head needs UTF-8 text"},
        {"string -U -L -D -S --charset \u00A1-\u07FF --exclude B-Zb-z1-9 --each-class --length 5",
         "ovantis-cli: The length range is not valid: --each-class: only about 1 line in "
         "3.62e+09 "},
        {"strng", "unknown command 'strng'; did you mean 'string'?"},
        {"string --lenght 3", "unknown option '--lenght'; did you mean '--length'?"},
        {"xyz", "unknown command 'xyz'\n"},
        {"string a -n 1 b", "not expected: a b"},
        {"strin\x1bg", "unknown command 'strin\\x1bg'"},
        {"string a\001b", "not expected: a\\x01b"},
        {"string -n 1\x1b[31m", "-n: '1\\x1b[31m' is not a whole number"},
        {"", "a command is required: string, number, time or pattern\nTry 'ovantis-cli --help'.\n"},
        {"string -n 1x", "-n: '1x' is not a whole number\nTry 'ovantis-cli string --help'."},
        {"string -n ''", "-n: a value is required"},
        {"string --min-length 2147483648", "'2147483648' is outside -2147483648..2147483647"},
        {"number --low 1e", "--low: '1e' is not a number"},
        {"number --high .", "--high: '.' is not a number"},
        {"number --places +", "--places: '+' is not a whole number"},
        {"number --seed ''", "--seed: '' is neither 'now' nor a whole number"},
        {"number --seed 4294967296", "'4294967296' is neither"},
        {"number --seed 1 --secure", "--secure: cannot be combined with --seed"},
        {"string --upper=no", "--upper: takes no value"},
        {"string --length 3 --min-length 2",
         "--length: cannot be combined with --min-length or --max-length"},
        {"number --range 5", "--range: '5' is not a range LOW..HIGH"},
        {"string --length 5-8", "--length: '5-8' is neither a whole number nor a range MIN..MAX"},
        {"time --delay 3..", "--delay: a range needs both ends, as in MIN..MAX (got '3..')"},
        {"string --count 99999999999999999999",
         "--count: '99999999999999999999' is out of range: a count is 1 to 2147483647"},
        {"string -x", "unknown option '-x'\n"},
        {"number -seed 1", "unknown option '-seed'; did you mean '--seed'?"},
        {"number --range 1..2 --high 3", "--range: cannot be combined with --low or --high"},
        {"number -- 5", "arguments after -- need time --exec PROGRAM"},
        {"time --delay 1..x", "--delay: 'x' is not a whole number"},
        {"string --max-memory 1k", "--max-memory: '1k' is not a whole number"},
        {"time --max-memory 1", "unknown option '--max-memory'"},
        {"pattern ab*",
         "ovantis-cli: The template is not valid: column 3: '*' has no upper bound, so no "
         "uniform draw; give one, such as {0,8}\n"},
        {"pattern a+", "such as {1,9}"},
        {"pattern (a)\\1", "column 4: back-references such as '\\1' are not supported"},
        {"pattern a(?=b)", "look-arounds such as '(?='"},
        {"pattern \\bx", "word boundaries such as '\\b'"},
        {"pattern (?i)a", "flags and special groups such as '(?i'"},
        {"pattern a^b", "column 2: '^' is accepted only as ^ first or $ last"},
        {"pattern (ab", "column 1: '(' has no partner"},
        {"pattern \\q", "'\\q' is not a known escape"},
        {"pattern [01Ol] -B", "the class '[01Ol]' leaves nothing to draw from"},
        {"pattern [z-a]", "'z-a' runs backwards"},
        {"pattern [\\d-z]", "a range needs one character at each end"},
        {"pattern a|?", "column 3: '?' has nothing before it to repeat"},
        {"pattern a{x}", "'{x' is not a repeat {n} or {m,n}"},
        {"pattern \xff", "PATTERN needs UTF-8 text"},
        {"pattern \\n", "the control character U+000A would break a line"},
        {"pattern \\x{D800}", "'\\x{D800}' is not a character"},
        {"pattern " + std::string(201, '(') + std::string(201, ')'), "deeper than 200"},
        {"pattern " + std::string(65537, 'a'), "longer than 65536 bytes"},
        {"pattern (a{1000}){1000}", "expands to more than 1000000 automaton nodes"},
        {"pattern (a|){10000}", "takes more than 20000000 steps"},
        {"pattern (((a{1000}){1000}){1000}){3000}", "column 26: a line could exceed 2147483647"},
        {"pattern ([a-z]{2}|[0-9]){0,3000} --max-memory 1",
         "counting needs more than the 1 MiB memory"},
        {"pattern a --charset z-a", "--charset needs each range low-high in order"},
        {"pattern a|b --unique -n 3", "cannot make 3 unique lines: only 2 are possible"},
        {"pattern [0-9]{12} --unique -n 1000000 --max-memory 1",
         "--unique needs about 54 MiB for 1000000 lines, above the 1 MiB memory budget"},
    };
    return cases;
}

// Each refusal says why, prints nothing on standard output and creates no
// output file.
TEST(CliValidation, UsageErrorsSayWhyAndCreateNoFile) {
    TempFolder dir;
    for (const auto& [line, message] : refusals()) {
        SCOPED_TRACE(line);
        const Result r = cli(line + " -o " + dir / "out.txt");
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
        EXPECT_NE(r.err.find(message), npos) << r.err;
        EXPECT_EQ(dir.names(), "");
    }
    EXPECT_EQ(cli("number --seed 1 --low -.5e1 --high +7. -n 1").status, kExitOk);
    for (const char* line : {"number -o ''", "number -o"}) {
        const Result empty = cli(line);
        EXPECT_EQ(empty.status, kExitUsage);
        EXPECT_EQ(empty.out, "");
        EXPECT_NE(empty.err.find("-o: a "), npos) << empty.err;
    }
    EXPECT_EQ(cli("number --integer --unique -n 30000 --range 1..99999 --max-memory 2").status,
              kExitOk);
}

// A parser that recursed per character would overflow a small stack.
TEST(CliValidation, AHugeNumberIsAUsageErrorInASmallStack) {
    EXPECT_EQ(shell("ulimit -s 1024; " OVANTIS_CLI_PATH
                    " number --low 0.$(printf %0120000d 7)x 2>/dev/null; echo $?"),
              "2\n");
}

// An option left without its value is named from the arguments given.
TEST(CliValidation, AnOptionLastWithoutItsValueIsNamed) {
    EXPECT_EQ(cli("number --low").err,
              "ovantis-cli: --low: a value is required\nTry 'ovantis-cli number --help'.\n");
}

// Runs a command line under LC_ALL=locale, then sets the runner's value again.
Result cliIn(const char* locale, const std::string& line) {
    const std::string old = std::getenv("LC_ALL") != nullptr ? std::getenv("LC_ALL") : "";
    ::setenv("LC_ALL", locale, 1);
    Result result = cli(line);
    ::setenv("LC_ALL", old.c_str(), 1);
    return result;
}

// Every refusal in each language: the whole message in it, in our words only.
TEST(CliLanguage, EveryRefusalSpeaksTheLocalesLanguageOnly) {
    const std::regex framework(
        "(information|following|Expected|Excludes|At (least|most)|convert|required but|"
        "ArgumentMismatch|Run with)");
    // What a Chinese message may hold in Latin letters: names, values, units.
    const std::regex allowed(
        "(--?[a-z-]+|'[^']*'|ovantis-cli|string|number|time|pattern|TEXT|PROGRAM|PATTERN|LOW|HIGH|"
        "MIN|MAX|UTF|MiB|GiB|"
        "U\\+[0-9A-F]+)");
    TempFolder dir;
    for (const auto& [line, message] : refusals()) {
        SCOPED_TRACE(line);
        const std::string english = cliIn("POSIX", line + " -o " + dir / "out.txt").err;
        const std::string chinese = cliIn("zh_CN.UTF-8", line + " -o " + dir / "out.txt").err;
        EXPECT_FALSE(std::regex_search(english, framework)) << english;
        EXPECT_FALSE(std::regex_search(chinese, framework)) << chinese;
        EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80;
        })) << english;
        const std::string latin = std::regex_replace(chinese, allowed, "");
        EXPECT_FALSE(std::regex_search(latin, std::regex("[A-Za-z]{2,}"))) << chinese;
    }
}

// A seed keys the same stream in every version; --info gives the exact count.
TEST(CliPattern, SeededLinesAndCountsNeverChange) {
    const std::pair<std::string, std::string> rows[] = {
        {"pattern --seed 42 -n 3 ORD-[0-9]{6}", "ORD-802440\nORD-747298\nORD-863721\n"},
        {"pattern --seed 7 -n 2 --unique -- -[ab]", "-a\n-b\n"},
        {"pattern --info [A-Z]{4}-[A-Z]{4}-[A-Z]{4}",
         "26^12 = 95,428,956,661,682,176 strings · 56.4 bits\n"},
        {"pattern --info ^a|b|[\\x{1F600}-\\x{1F64F}]$", "82 strings · 6.4 bits\n"},
        {"string -D --length 0..2 --info", "111 strings · 6.8 bits\n"},
        {"number --info", "2,022 strings · 11.0 bits\n"},
        {"string --length 100000 --info", "about 570044.0 bits\n"},
    };
    for (const auto& [line, lines] : rows) {
        EXPECT_EQ(cli(line).out, lines) << line;
    }
    EXPECT_EQ(cliIn("zh_CN.UTF-8", "pattern --info a|b").out, "2 种字符串 · 1.0 位\n");
}

TEST(CliLanguage, TheCLocaleIsEnglishAndAChineseOneChinese) {
    const std::string command = std::string(" ") + OVANTIS_CLI_PATH + " string --count 0 2>&1";
    EXPECT_EQ(shell("env -i LC_ALL=C.UTF-8" + command),
              "ovantis-cli: The count is not valid: --count must be at least 1 (got 0)\n");
    EXPECT_EQ(shell("env -i LANG=zh_CN.UTF-8" + command),
              "ovantis-cli: 生成个数设定无效：--count 至少为 1（现为 0）\n");
    // The system's reasons too: the C library's Chinese, or ours where it has
    // none (no locale data), whatever LANGUAGE asks for. (glibc's newlocale
    // leaks its path list when the locale is missing.)
    for (const char* env : {"LANG=zh_CN.UTF-8", "LANG=zh_CN.UTF-8 LANGUAGE=de",
                            "LANG=zh_CN.UTF-8 LOCPATH=/nonexistent ASAN_OPTIONS=detect_leaks=0"}) {
        const std::string run = std::string("env -i ") + env + " " OVANTIS_CLI_PATH;
        EXPECT_EQ(shell(run + " string -o /nonexistent/x 2>&1; " + run +
                        " time -n 1 --delay 0..0 --exec nosuchprog 2>&1 >/dev/null"),
                  "ovantis-cli: 无法写入 /nonexistent/x: 没有那个文件或目录\n"
                  "ovantis-cli: 无法启动 nosuchprog: 在 PATH 中找不到\n")
            << env;
    }
}

// Messages take the locale's encoding, or English where it has no place for
// simplified Chinese (Big5), with what else it lacks escaped; generated lines
// stay as they are.
TEST(CliLanguage, MessagesTakeTheLocalesEncoding) {
    const std::string fromGb = " | iconv -f GB18030 -t UTF-8";
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"zh_CN.GB18030", "string --count 0 2>&1" + fromGb,
         "ovantis-cli: 生成个数设定无效：--count 至少为 1（现为 0）\n"},
        {"zh_CN.GB18030", "pattern --info 'a|b'" + fromGb, "2 种字符串 · 1.0 位\n"},
        {"zh_CN.GB18030", "string --seed 1 -n 1 --length 1 --charset 中", "中\n"},
        {"zh_TW.BIG5", "string --count 0 2>&1",
         "ovantis-cli: The count is not valid: --count must be at least 1 (got 0)\n"},
        {"zh_TW.BIG5", "string -o /nonexistent/随 2>&1",
         "ovantis-cli: cannot write /nonexistent/\\u968f: No such file or directory\n"},
    };
    for (const auto& [locale, command, expected] : rows) {
        EXPECT_EQ(shell(std::string("env -i LANG=") + locale + " " OVANTIS_CLI_PATH " " + command),
                  expected)
            << locale << ' ' << command;
    }
}

// Every kind of refusal the core returns reads whole in the run's language and
// names the option at fault.
TEST(CliRefusals, EveryKindIsWordedInEitherLanguage) {
    std::set<Refusal::Kind> kinds;
    for (const Refusal& refusal : test::everyRefusal()) {
        kinds.insert(refusal.kind);
        for (const Language language : {Language::Chinese, Language::English}) {
            const std::string text = worded(refusal, language);
            EXPECT_FALSE(std::regex_search(text, std::regex("%[0-9]"))) << text;
            EXPECT_EQ(text.find_first_of("\xE4\xE5\xE6\xE7\xE8\xE9") != std::string::npos,
                      language == Language::Chinese)
                << text;
            EXPECT_NE(text.find(longName(refusal.field)), std::string::npos) << text;
        }
    }
    // Those of rows name a column and place instead, and are tested with rows.
    EXPECT_EQ(kinds.size(), static_cast<std::size_t>(Refusal::Kind::BadDate) - 1);
}

// The last of a repeated option wins; flags given choose the classes or types.
TEST(CliRequest, ArgumentsBecomeTheRequestWithoutOutput) {
    const auto parse = [](std::vector<std::string> args) {
        const ParseOutcome parsed = parseRequest(args, Language::English);
        EXPECT_EQ(parsed.kind, ParseOutcome::Kind::Run) << parsed.text;
        return parsed.request;
    };
    EXPECT_EQ(parse({"number", "-n", "2", "-n", "3", "--places", "1", "--places=4"}).number.count,
              3);
    EXPECT_EQ(parse({"number", "--places", "1", "--places=4"}).number.places, 4);
    const StringSettings digits = parse({"string", "-D", "-D", "--no-similar"}).string;
    EXPECT_EQ(std::tuple(digits.upper, digits.lower, digits.digits, digits.noSimilar),
              std::tuple(false, false, true, true));
    const Request seeded =
        parse({"string", "-L", "-D", "--head", "h", "--tail", "t", "--min-length", "0",
               "--max-length", "12", "--seed", "4294967295"});
    const StringSettings& s = seeded.string;
    EXPECT_EQ(std::tuple(s.upper, s.lower, s.digits, s.head, s.tail, s.minLength, s.maxLength),
              std::tuple(false, true, true, "h", "t", 0, 12));
    EXPECT_EQ(std::pair(seeded.source, seeded.seed), std::pair(Source::Seeded, 4294967295u));
    // -S alone is punctuation alone, as seeded runs have always drawn it;
    // --places alone means decimals.
    const StringSettings symbols = parse({"string", "-S"}).string;
    EXPECT_EQ(std::tuple(symbols.upper, symbols.lower, symbols.symbols),
              std::tuple(false, false, true));
    for (const auto& [args, integers, decimals] :
         {std::tuple(std::vector<std::string>{"number", "--places", "3"}, false, true),
          std::tuple(std::vector<std::string>{"number", "--integer", "--places=3"}, true, false),
          std::tuple(std::vector<std::string>{"number"}, true, true)}) {
        const NumberSettings number = parse(args).number;
        EXPECT_EQ(std::pair(number.integerOn, number.decimalOn), std::pair(integers, decimals));
    }
    const StringSettings charset = parse({"string", "--charset", "ab"}).string;
    EXPECT_EQ(std::tuple(charset.upper, charset.lower, charset.charset),
              std::tuple(false, false, std::string("ab")));
    const Request time = parse({"time", "--exec", "x", "--seed", "now", "--", "a", "-n"});
    EXPECT_TRUE(time.time.runExternal);
    EXPECT_EQ(time.time.command, "x");
    EXPECT_EQ(time.execArgs, (std::vector<std::string>{"a", "-n"}));
    EXPECT_EQ(time.source, Source::CurrentSecond);
    EXPECT_EQ(parseRequest({"time", "--help"}, Language::English).kind, ParseOutcome::Kind::Print);
}

// Under one seed, short forms give what the long ones give, in the shape asked for.
TEST(CliOptions, ShortFormsEqualTheLongOnesAndFlagsSelect) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"string --length 16", "string --min-length 16 --max-length 16", "[A-Za-z]{16}"},
        {"string --length 3..9", "string --min-length 3 --max-length 9", "[A-Za-z]{3,9}"},
        {"string -D", "string --digits", "[0-9]{5,8}"},
        {"number --range -10..10", "number --low -10 --high 10", "-?\\d+(\\.\\d\\d)?"},
        {"number -o -", "number", "\\d+(\\.\\d\\d)?"},
        {"number --decimal --places 3", "number --decimal --places=3", "\\d+\\.\\d{3}"},
        {"number --integer --range -5..5", "number --integer --low=-5 --high=5", "-?[0-5]"},
    };
    for (const auto& [shortForm, longForm, pattern] : cases) {
        SCOPED_TRACE(shortForm);
        const Result a = cli(std::string(shortForm) + " --seed 3 -n 50");
        EXPECT_EQ(a.status, kExitOk);
        EXPECT_EQ(a.out, cli(std::string(longForm) + " --seed 3 -n 50").out);
        EXPECT_TRUE(std::regex_match(a.out, std::regex("(" + std::string(pattern) + "\n){50}")))
            << a.out;
    }
}

TEST(CliOptions, HelpFitsEightyColumnsWithEachCommandsOwnExamples) {
    for (const std::string command : {"string", "number", "time"}) {
        SCOPED_TRACE(command);
        const Result help = cli(command + " --help");
        EXPECT_EQ(help.status, kExitOk);
        for (const auto& line : matches(help.out)) {
            EXPECT_LE(line.size(), 80u) << line;
        }
        for (const std::string other : {"string", "number", "time"}) {
            EXPECT_EQ(help.out.find("ovantis-cli " + other) != npos, other == command);
        }
        // A Chinese character takes two columns and three bytes.
        const std::string chineseHelp = cliIn("zh_CN.UTF-8", command + " --help").out;
        EXPECT_NE(chineseHelp.find("用法: ovantis-cli " + command + " [选项]\n\n选项:"), npos)
            << chineseHelp;
        for (const auto& line : matches(chineseHelp)) {
            const auto wide =
                std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xF0) == 0xE0; });
            EXPECT_LE(line.size() - static_cast<std::size_t>(wide), 80u) << line;
        }
    }
    EXPECT_NE(cli("string --help").out.find("(default 5..8)"), npos);
    EXPECT_NE(cli("string --help").out.find("  -n,--count N "), npos) << "the value's name";
    // Descriptions fill their column up to the eightieth.
    EXPECT_NE(cli("string --help")
                  .out.find("  -S,--symbols            Printable ASCII punctuation, the 32 "
                            "characters\n"),
              npos);
    EXPECT_NE(cli("--help").out.find("--seed S draws from the classic source"), npos);
    EXPECT_NE(cli("--help").out.find("For pattern,\n--seed S keys a ChaCha20 stream"), npos);
    EXPECT_NE(cli("pattern --help").out.find("(default [A-Z]{4}-[0-9]{4})"), npos);
    const Result version = cli("--version");
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_NE(version.out.find(ovantis::version::kText), npos);
    for (const std::string flag : {"--help", "--version"}) {
        EXPECT_EQ(shell(OVANTIS_CLI_PATH " " + flag + " 2>&1 >/dev/full; echo $?"),
                  "ovantis-cli: write error: No space left on device\n1\n");
    }
}

TEST(CliOutput, LongLinesStreamAndCrLfEndsLines) {
    const Result r = cli("string --min-length 1000000 --max-length 1000000 -n 2 --crlf");
    ASSERT_EQ(r.out.size(), 2u * 1000002u);
    EXPECT_EQ(r.out.substr(1000000, 2), "\r\n");
    EXPECT_EQ(r.out.find('\n'), 1000001u);
}

// A file gets the lines, new or rewritten in place. A stop during the rewrite
// keeps the old file before the copy and finishes it once begun, the status
// 128 plus the signal either way; a file that cannot be written is an I/O error.
TEST(CliOutput, FileGetsTheLinesOrKeepsTheOldOnesAndTheStatusSaysWhich) {
    const std::string lines = "80.87\n89.60\n100\n";
    const std::tuple<const char*, const char*, int, std::string> cases[] = {
        {"new", nullptr, kExitOk, lines},
        {"out", nullptr, kExitOk, lines},
        {"out", "lock", 128 + SIGTERM, "old\n"},
        {"out", "copy", 128 + SIGTERM, lines},
        {"missing/out", nullptr, kExitIo, ""}};
    for (const auto& [target, stopAt, status, content] : cases) {
        TempFolder dir;
        dir.sh("echo old > out; ln out link");
        if (stopAt != nullptr) {
            sys::FaultPoints::stopAt(stopAt, SIGTERM);
        }
        const Result r = cli("number --seed 1 -n 3 -o " + dir / target);
        sys::FaultPoints::disarm();
        sys::Signals::reset();
        EXPECT_EQ(std::tuple(r.status, r.out, readAll(dir / target)),
                  std::tuple(status, "", content));
        EXPECT_EQ(r.err.find("cannot write") != npos, status == kExitIo) << r.err;
    }
}

// Targets other than regular files are written through and stay what they
// are. A file rewritten in place has its output staged on disk (the cache
// folder) first; where only memory is left, output that may pass the memory
// budget is refused, and the file stays as it was.
TEST(CliOutput, SpecialTargetsAreWrittenThroughAndInPlaceOutputIsStagedOnDisk) {
    TempFolder dir;
    const std::string cli = OVANTIS_CLI_PATH " number --seed 1 -n 1 -o ";
    EXPECT_EQ(dir.sh("echo old > log; " + cli + "/dev/stdout >> log; " + cli +
                     "/dev/fd/3 3>> log; " + cli + "/dev/stdout | cat; mkfifo fifo; cat fifo & " +
                     cli + "fifo; wait; cat log; ls -A; test -p fifo && echo fifo"),
              "80.87\n80.87\nold\n80.87\n80.87\nfifo\nlog\nfifo\n");
    if (::geteuid() != 0 ||
        dir.sh("mkdir ram; mount -t tmpfs -o size=4m ovantis ram && mknod null c 1 3 && echo ok") !=
            "ok\n") {
        dir.sh("umount ram");
        GTEST_SKIP() << "device nodes and mounts need root";
    }
    EXPECT_EQ(dir.sh(cli + "null && stat -c %F null"), "character special file\n");
    EXPECT_EQ(dir.sh("echo old > ram/out; ln ram/out ram/link; for c in $PWD/cache /dev/null/x; do "
                     "XDG_CACHE_HOME=$c TMPDIR=ram " OVANTIS_CLI_PATH
                     " string --length 100 -n 20000 --max-memory 1 -o ram/out 2>&1; echo $?; done; "
                     "wc -c < ram/link; umount ram"),
              "0\novantis-cli: cannot write ram/out: it is rewritten in place and the only space "
              "left to stage the output is in memory (ram), where it may exceed the 1 MiB memory "
              "budget (set TMPDIR to a folder on disk, or raise --max-memory)\n1\n2020000\n");
}

// Characters and runs of any length reach the file whole and in order, however
// they fall against the buffer's end.
TEST(CliOutput, StreamBufferPassesEverythingInOrder) {
    TempFolder dir;
    const int fd = ::open((dir / "out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    {
        sys::FdStreambuf buffer(fd, 4);
        std::ostream(&buffer) << 'a' << "bcd" << 'e' << "fghij"
                              << "kl" << 'm' << "nopq" << 'r';
    }
    ::close(fd);
    EXPECT_EQ(readAll(dir / "out"), "abcdefghijklmnopqr");
}

TEST(CliTime, PrintsOneTimestampPerEventAndLaunchesWithoutAShell) {
    TempFolder dir;
    const std::string probe = dir / "probe";
    const Result failed = cliArgs(
        {"time", "-n", "2", "--delay", "0..5", "--exec", "touch " + probe + "; echo \"a b\" 'c'"});
    EXPECT_EQ(failed.status, kExitIo) << "a failed launch fails the run, after every event";
    EXPECT_NE(failed.err.find("ovantis-cli: cannot start"), npos) << failed.err;
    // The local date of today (a run across midnight is the rare exception).
    const std::string today = shell("date +%Y-%m-%d").substr(0, 10);
    EXPECT_TRUE(
        std::regex_match(failed.out, std::regex("(" + today + R"(   \d\d:\d\d:\d\d\n){2})")))
        << failed.out;
    // --iso: the same moment in ISO 8601, with the zone's offset.
    const std::string iso = cli("time --iso -n 1 --delay 0..0").out;
    EXPECT_TRUE(std::regex_match(iso, std::regex(today + R"(T\d\d:\d\d:\d\d[+-]\d\d:\d\d\n)")) &&
                iso.ends_with(shell("date +%:z")))
        << iso;
    // Each argument after -- arrives whole.
    EXPECT_EQ(
        cliArgs({"time", "-n", "1", "--delay", "0..0", "--exec", "touch", "--", dir / "a b", probe})
            .status,
        kExitOk);
    for (int waited = 0; waited < 50 && dir.names().find("probe") == npos; ++waited) {
        ::usleep(20000);
    }
    EXPECT_EQ(dir.names(), "a b\nprobe\n");
    // Each event's line is out before its program starts: each program counts
    // the lines logged so far.
    dir.sh(OVANTIS_CLI_PATH
           " time -n 2 --delay 300..300 --exec sh -- -c 'wc -l < log >> seen' > log");
    for (int waited = 0; waited < 100 && readAll(dir / "seen").size() < 4; ++waited) {
        ::usleep(20000);
    }
    EXPECT_EQ(readAll(dir / "seen"), "1\n2\n");
}

// Starts the real binary in folder with its standard output on a pipe nobody
// reads, signals it after a while and returns its exit status, or -1 when it
// is still alive five seconds later (it should end within one).
int signalledStatus(const std::string& line, int signal, int afterMs,
                    const std::string& folder = ".") {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return -3;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::execl("/bin/sh", "sh", "-c",
                ("cd '" + folder + "' && exec " + OVANTIS_CLI_PATH + " " + line).c_str(), nullptr);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    ::usleep(static_cast<useconds_t>(afterMs) * 1000);
    ::kill(pid, signal);
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
        if (waited >= 5000) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            status = -1;
            break;
        }
        ::usleep(10000);
    }
    ::close(pipeFds[0]);
    return status == -1 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

// Each stop signal ends a run whatever it is doing: making a huge line,
// waiting on a reader that takes nothing, opening a FIFO nobody reads. The
// old file or FIFO stays; nothing else is left.
TEST(CliBinary, StopSignalsEndARunInEveryBlockingCallAndLeaveNothing) {
    const std::pair<const char*, int> cases[] = {
        {"string --length 2147483647 -n 1 -o out", SIGINT},
        {"string --length 2147483647 -n 1 -o out", SIGTERM},
        {"string --length 2147483647 -n 1 -o out", SIGHUP},
        {"string --length 2147483647 -n 1 -o out", SIGQUIT},
        {"string -n 100000000", SIGINT},
        {"string -n 1 -o fifo", SIGINT},
        {"pattern -n 100 -o out .{0,50000}", SIGTERM},
        {"rows --schema fifo -o out", SIGINT},
        {"rows 'a words' --words fifo -o out", SIGTERM},
    };
    for (const auto& [line, signal] : cases) {
        SCOPED_TRACE(std::string(line) + " " + std::to_string(signal));
        TempFolder dir;
        dir.sh("echo old > out; mkfifo fifo");
        EXPECT_EQ(signalledStatus(line, signal, 300, dir.path), 128 + signal);
        EXPECT_EQ(dir.names(), "fifo\nout\n");
        EXPECT_EQ(readAll(dir / "out"), "old\n");
    }
    // Also while a line is judged before it is written.
    TempFolder dir;
    EXPECT_EQ(signalledStatus(
                  "string --length 2147483647 --each-class --unique -n 1 -o " + dir / "out.txt",
                  SIGINT, 300),
              128 + SIGINT);
    EXPECT_EQ(dir.names(), "");
}

// An in-place rewrite waits for another writer's lock, so concurrent runs end
// with one run's whole output; a stop still ends the wait at once.
TEST(CliBinary, InPlaceWritersTakeTurnsAndAStopEndsTheWait) {
    TempFolder dir;
    dir.sh("echo old > out; ln out link");
    const int holder = ::open((dir / "out").c_str(), O_RDWR | O_CLOEXEC);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    ASSERT_EQ(::fcntl(holder, F_OFD_SETLK, &lock), 0);
    EXPECT_EQ(signalledStatus("string -o out", SIGINT, 300, dir.path), 130);
    EXPECT_EQ(readAll(dir / "link"), "old\n");
    ::close(holder);
}

TEST(CliBinary, InterruptedTimeRunKeepsTheLinesLogged) {
    TempFolder dir;
    EXPECT_EQ(signalledStatus("time -n 1000 --delay 0..20 -o " + dir / "log.txt", SIGINT, 400),
              130);
    // Whole timestamp lines, at least one.
    EXPECT_TRUE(
        std::regex_match(readAll(dir / "log.txt"), std::regex("([0-9-]{10}   [0-9:]{8}\n)+")));
}

// A time run keeps at most the most programs running: the next event, line
// and all, waits for one to end, and a stop still ends it within a second.
TEST(CliBinary, TimeRunsWaitForRoomAndAStopEndsTheWait) {
    const std::string most = std::to_string(kMostProgramsRunning);
    const std::string more = std::to_string(kMostProgramsRunning + 2);
    TempFolder dir;
    EXPECT_EQ(
        dir.sh(OVANTIS_CLI_PATH
               " time -n 1000 --delay 0..0 --exec sleep -- 30 > log & "
               "pid=$!; kids() { cat /proc/$pid/task/$pid/children; }; "
               "within() { for i in $(seq 100); do eval \"$1\" && return; sleep 0.05; done; }; "
               "within '[ $(wc -l < log) -ge " +
               most +
               " ]'; sleep 0.3; "
               "echo $(kids | wc -w) $(wc -l < log); kill $(kids | cut -d' ' -f1-2); "
               "within '[ $(wc -l < log) -ge " +
               more +
               " ]'; sleep 0.3; "
               "echo $(kids | wc -w) $(wc -l < log); set -- $(kids); "
               "start=$(date +%s%N); kill -INT $pid; wait $pid; echo $? "
               "$(( ($(date +%s%N) - start) / 1000000 < 1000 )); kill \"$@\""),
        most + " " + most + "\n" + most + " " + more + "\n130 1\n");
}

TEST(CliBinary, MemoryRunningOutIsAMessageAndKeepsTheOldFile) {
#ifdef OVANTIS_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve more address space than the limit";
#endif
    TempFolder dir;
    EXPECT_EQ(dir.sh("echo old > out; ulimit -v 60000; " OVANTIS_CLI_PATH
                     " number --integer --unique -n 20000000 --range 0..9e18 --max-memory 100000 "
                     "-o out 2>&1; echo $?; cat out; ls -A"),
              "ovantis-cli: out of memory; the run was stopped and any -o file left as it "
              "was\n1\nold\nout\n");
}

TEST(CliBinary, ClosedPipeEndsAHugeRunQuietly) {
    // Status 0 from the CLI itself, and nothing on stderr beside the line:
    // lines, rows made by every core, and rows too long to share out.
    for (const char* run : {" number --integer -n 1000000000", " rows 'a row' -n 2000000000",
                            " rows 'a string --length 70000' -n 1000000"}) {
        const std::string command = std::string("set -o pipefail; ") + OVANTIS_CLI_PATH + run +
                                    " 2>&1 | head -c 10 | grep -qx '[0-9a-zA-Z]*'";
        EXPECT_EQ(std::system(("bash -c \"" + command + "\"").c_str()), 0) << run;
    }
}

}  // namespace
}  // namespace ovantis::cli

namespace ovantis::cli {
namespace {

constexpr const char* kEveryKind =
    "id row; w words 2 --separator -; d date 2020-01-01..2020-12-31 --format %F; v oneof "
    "--weights 3,1 \"a,b\" c; n number --decimal --range 0..10 --places 2; p pattern "
    "\"[A-Z]{2}[0-9]\"; s string -D --length 4; u uuid";

// A seed's rows are the same in every version, on any number of cores.
TEST(CliRows, SeededRowsNeverChange) {
    EXPECT_EQ(cliArgs({"rows", kEveryKind, "--seed", "42", "-n", "2", "--format", "jsonl"}).out,
              "{\"id\":1,\"w\":\"getup-helpline\",\"d\":\"2020-04-01\",\"v\":\"a,b\",\"n\":6.52,"
              "\"p\":\"OP0\",\"s\":\"5661\",\"u\":\"e34c6f11-d209-419e-8102-0af9335ffdd3\"}\n"
              "{\"id\":2,\"w\":\"hatchet-seldom\",\"d\":\"2020-07-17\",\"v\":\"c\",\"n\":4.66,"
              "\"p\":\"MQ8\",\"s\":\"0060\",\"u\":\"42b744d2-f07b-4dd7-80c4-887238548247\"}\n");
    EXPECT_EQ(shell(std::string(OVANTIS_CLI_PATH) + " rows '" + kEveryKind +
                    "' --seed 42 -n 20000 | sha256sum | cut -c1-16"),
              "271dfc0414fd1026\n");
}

// Parts made apart, some by one worker and some by several, join into the whole run.
TEST(CliRows, ShardsJoinIntoTheWholeRun) {
    const std::string count = "3000";
    const std::string whole = cliArgs({"rows", kEveryKind, "--seed", "5", "-n", count}).out;
    for (int n = 1; n <= 8; ++n) {
        std::string joined;
        for (int k = 1; k <= n; ++k) {
            joined += cliArgs({"rows", kEveryKind, "--seed", "5", "-n", count, "--shard",
                               std::to_string(k) + "/" + std::to_string(n)})
                          .out;
        }
        EXPECT_EQ(joined, whole) << n;
    }
    // A unique column's rows depend on those before them: one worker makes
    // them all, or workers would repeat each other's days.
    EXPECT_EQ(shell(std::string(OVANTIS_CLI_PATH) +
                    " rows 'd date 2020-01-01..2029-12-31 --format %F --unique' --no-header "
                    "-n 3653 | sort -u | wc -l"),
              "3653\n");
}

TEST(CliRows, RefusesInTheRunsLanguageWithTheColumnAndPlace) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* english;
        const char* chinese;
    } cases[] = {
        {{"rows", "a row; b oneof"},
         2,
         "column 2 b (line 1, character 10): at least one value is needed",
         "第 2 列 b（第 1 行第 10 个字符）：需要至少一个值"},
        {{"rows", "a row\nb strng"},
         2,
         "column 2 b (line 2, character 3): 'strng' is no kind of column (the kinds: string, "
         "number, pattern, date, oneof, words, row, uuid)",
         "第 2 列 b（第 2 行第 3 个字符）：'strng' 不是列的种类（可用：string, number, pattern, "
         "date, oneof, words, row, uuid）"},
        {{"rows", "a string -n 5"},
         2,
         "column 1 a (line 1, character 3): -n does not belong in a column; give it to rows itself",
         "第 1 列 a（第 1 行第 3 个字符）：-n 不能用在列中；请放在列之外"},
        {{"rows", "a row", "--format", "xml"},
         2,
         "--format needs csv, tsv, jsonl or sql (got 'xml')",
         "--format 须为 csv、tsv、jsonl 或 sql（现为 'xml'）"},
        {{"rows", "a row", "--shard", "3/2"},
         2,
         "'3/2' is not a shard: K/N with 1 <= K <= N <= 1000000",
         "'3/2' 不是分片：须为 K/N，1 ≤ K ≤ N ≤ 1000000"},
        {{"rows", "a words", "--words", "/nonexistent/words"},
         1,
         "cannot read /nonexistent/words: No such file or directory",
         "无法读取 /nonexistent/words：没有那个文件或目录"},
        {{"rows", "--schema", "/dev/zero"},
         1,
         "cannot read /dev/zero: it is larger than the 1 MiB limit",
         "无法读取 /dev/zero：文件超过 1 MiB 的上限"},
    };
    for (const auto& c : cases) {
        const Result english = cliArgs(c.args);
        EXPECT_EQ(english.status, c.status) << c.english;
        EXPECT_EQ(english.err, std::string("ovantis-cli: ") + c.english + "\n");
        ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
        const Result chinese = cliArgs(c.args);
        ::setenv("LC_ALL", "C.UTF-8", 1);
        EXPECT_EQ(chinese.err, std::string("ovantis-cli: ") + c.chinese + "\n");
    }
}

TEST(CliRows, ReadsSchemaAndWordsFromFiles) {
    TempFolder folder;
    const std::string schema = folder.path + "/t.schema";
    const std::string words = folder.path + "/w.txt";
    shell("printf '# users\\nid row 7\\npass words 3 --separator .  # a comment\\n' > " + schema);
    shell("printf 'x\\ny\\n' > " + words);
    const Result r = cliArgs({"rows", "--schema", schema, "--words", words, "-n", "1", "--format",
                              "tsv", "--no-header"});
    EXPECT_TRUE(std::regex_match(r.out, std::regex("7\t[xy]\\.[xy]\\.[xy]\n"))) << r.out << r.err;
    shell("printf 'x\\na b\\n' > " + words);
    EXPECT_EQ(cliArgs({"rows", "--schema", schema, "--words", words}).err,
              "ovantis-cli: " + words +
                  ": line 2 of the word list is no usable word (blank, a control character, a "
                  "space or not UTF-8)\n");
    // A byte-order mark first is no part of either file.
    shell("printf '\\357\\273\\277id row\\nw words 1\\n' > " + schema +
          "; printf '\\357\\273\\277x\\n' > " + words);
    EXPECT_EQ(cliArgs({"rows", "--schema", schema, "--words", words, "-n", "1", "--format", "tsv",
                       "--no-header"})
                  .out,
              "1\tx\n");
    // Columns given both ways count their lines apart, and the file's are named with it.
    shell("printf 'id row\\n\\nw oneof\\n' > " + schema);
    EXPECT_EQ(cliArgs({"rows", "a row", "--schema", schema}).err,
              "ovantis-cli: " + schema +
                  ": column 3 w (line 3, character 3): at least one value is needed\n");
    EXPECT_EQ(cliArgs({"rows", "a row\nb oneof", "--schema", schema}).err,
              "ovantis-cli: column 2 b (line 2, character 3): at least one value is needed\n");
    shell("printf 'u uuid 7\\n' > " + schema);
    EXPECT_EQ(cliArgs({"rows", "a row", "--schema", schema, "--seed", "1"}).err,
              "ovantis-cli: " + schema +
                  ": column 2 u (line 1, character 1): with --seed or --shard, uuid 7 needs its "
                  "time, such as uuid 7 2026-01-01T00:00:00\n");
}

}  // namespace
}  // namespace ovantis::cli

namespace ovantis::cli {
namespace {

// Passphrases count words as lengths count characters.
TEST(CliPassphrase, DrawsWordsFromTheBuiltInList) {
    EXPECT_EQ(cli("string --passphrase --length 6 --info").out,
              "221,073,919,720,733,357,899,776 strings · 77.5 bits\n");
    EXPECT_TRUE(
        std::regex_match(cli("string -W --length 2..3 --separator . --head < --tail > -n 50").out,
                         std::regex("(<[a-z-]+\\.[a-z-]+(\\.[a-z-]+)?>\n){50}")));
    EXPECT_EQ(cli("string -W --length 1 --unique -n 7777").status, kExitUsage);
    // Every word once, in some order.
    std::vector<std::string> words = matches(cli("string -W --length 1 --unique -n 7776").out);
    std::sort(words.begin(), words.end());
    EXPECT_EQ(std::unique(words.begin(), words.end()) - words.begin(), 7776);
}

}  // namespace
}  // namespace ovantis::cli
