#include "CliApp.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>

#include "FdStreambuf.h"
#include "Messages.h"
#include "StringGenerator.h"
#include "Version.h"

namespace ovantis::cli {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result runCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = run(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("ovantis-cli-test-" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() {
        ::chmod(path.c_str(), 0755);
        fs::remove_all(path);
    }
};

TEST(CliParity, SeedGivesTheCoreLinesForTheSameSettings) {
    StringSettings s;
    s.upper = false;
    s.digits = true;
    s.head = "h";
    s.tail = "t";
    s.minLength = 0;
    s.maxLength = 12;
    s.count = 200;
    RandomSource random;
    random.seed(4294967295u);
    StringGenerator generator(s, random);
    std::string expected;
    for (int i = 0; i < s.count; ++i) {
        generator.appendLine(expected);
        expected += '\n';
    }
    const Result r = runCli({"string", "-L", "-D", "--head", "h", "--tail", "t", "--min-length",
                             "0", "--max-length", "12", "-n", "200", "--seed", "4294967295"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(runCli({"number", "--seed", "1", "-n", "3"}).out, "80.87\n89.60\n100\n");
}

TEST(CliSource, SecureUnlessSeededAndNowIsTheCurrentSecond) {
    const std::vector<std::string> args = {"string",       "-ULD", "--min-length", "16",
                                           "--max-length", "16",   "-n",           "20"};
    const Result a = runCli(args);
    const Result b = runCli(args);
    EXPECT_EQ(a.status, kExitOk);
    EXPECT_NE(a.out, b.out);
    for (const auto& line : lines(a.out)) {
        EXPECT_TRUE(std::regex_match(line, std::regex("[A-Za-z0-9]{16}"))) << line;
    }
    const std::time_t before = std::time(nullptr);
    const Result now = runCli({"number", "--seed", "now"});
    const Result second = runCli({"number", "--seed", std::to_string(before)});
    if (std::time(nullptr) == before) {
        EXPECT_EQ(now.out, second.out);
    }
}

TEST(CliValidation, RejectedSettingsNameTheNoticeAndTheOptionAndCreateNoFile) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } const cases[] = {
        {{"string", "-n", "0"}, "生成个数设定无效！ --count must be at least 1 (got 0)"},
        {{"string", "--min-length", "9", "--max-length", "3"},
         "生成长度设定无效！ --max-length must not be below --min-length (got 9 and 3)"},
        {{"number", "--places", "101"}, "保留小数位数设定无效！ --places must be 0 to 100"},
        {{"number", "--low", "5", "--high", "1"},
         "数值范围设定无效！ --low must not exceed --high"},
        {{"number", "--integer", "--low", "0.5", "--high", "0.7"}, "数值范围设定无效！ --integer"},
        {{"number", "--high", "1e39"}, "数值范围设定无效！ --low and --high"},
        {{"time", "--exec", ""}, "外部程序命令行无效！ --exec"},
        {{"time", "--min-delay", "5", "--max-delay", "1"}, "发生间隔设定无效！ --max-delay"},
    };
    TempDir dir;
    const fs::path target = dir.path / "out.txt";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", target.string()});
        const Result r = runCli(args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_EQ(r.err.rfind("ovantis-cli: " + c.message, 0), 0u) << r.err;
        EXPECT_FALSE(fs::exists(target));
    }
}

TEST(CliLanguage, EnglishLocalesGetEnglishNoticesAndTheCLocaleChinese) {
    const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        ::unsetenv(name);
    }
    ::setenv("LANG", "en_US.UTF-8", 1);
    const Result english = runCli({"string", "-n", "0"});
    ::setenv("LANG", "C", 1);
    const Result chinese = runCli({"string", "-n", "0"});
    for (std::size_t i = 0; i < saved.size(); ++i) {
        saved[i] ? ::setenv(names[i], saved[i]->c_str(), 1) : ::unsetenv(names[i]);
    }
    EXPECT_EQ(
        english.err.rfind("ovantis-cli: Invalid count! --count must be at least 1 (got 0)", 0), 0u)
        << english.err;
    EXPECT_EQ(chinese.err.rfind("ovantis-cli: 生成个数设定无效！ --count", 0), 0u) << chinese.err;
}

TEST(CliLanguage, EnglishNoticesAreTheWindowsTranslations) {
    const std::string ts = readFile(OVANTIS_SOURCE_DIR "/res/translations/ovantis_en.ts");
    const std::size_t from = ts.find("<name>Notices</name>");
    const std::string notices = ts.substr(from, ts.find("</context>", from) - from);
    const std::regex message("<source>(.*?)</source>\\s*<translation>(.*?)</translation>");
    int count = 0;
    for (std::sregex_iterator it(notices.begin(), notices.end(), message), end; it != end; ++it) {
        EXPECT_STREQ(english((*it)[1].str().c_str()), (*it)[2].str().c_str()) << (*it)[1];
        ++count;
    }
    EXPECT_EQ(count, 13);
}

TEST(CliValidation, MalformedValuesAreUsageErrors) {
    const std::vector<std::string> cases[] = {
        {"string", "-n", "1x"},
        {"string", "-n", ""},
        {"string", "--min-length", "2147483648"},
        {"string", "--max-length", "-2147483649"},
        {"number", "--low", ""},
        {"number", "--low", "1e"},
        {"number", "--high", "."},
        {"number", "--places", "+"},
        {"number", "--seed", ""},
        {"number", "--seed", "4294967296"},
        {"number", "--seed", "-1"},
        {"number", "--seed", "1", "--secure"},
        {"time", "--min-delay", "0x10"},
        {"string", "--length", "3", "--min-length", "2"},
        {"number", "--range", "5"},
        {"number", "--", "5"},
        {"time", "--delay", "1..x"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        const Result r = runCli(args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(
        runCli({"number", "--seed", "1", "--low", "-.5e1", "--high", "+7.", "-n", "1"}).status,
        kExitOk);
    EXPECT_EQ(runCli({}).status, kExitUsage) << "a subcommand is required";
    EXPECT_NE(runCli({"string", "a", "-n", "1", "b"}).err.find("not expected: a b"),
              std::string::npos);
}

TEST(CliValidation, SettingsThatCannotBeMetSayWhy) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"number", "-n", "20", "--integer", "--low", "1", "--high", "6", "--unique"},
         "ovantis-cli: cannot make 20 unique lines: only 6 are possible\n"},
        {{"string", "-ULDS", "--each-class", "--min-length", "3", "--max-length", "3"},
         "--max-length of at least 4"},
        {{"string", "--charset", "z-a"}, "each range low-high in order"},
        {{"string", "-D", "--exclude", "0-9"}, "no characters are left"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        const Result r = runCli(args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
}

TEST(CliValidation, AMegabyteNumberIsAUsageErrorInConstantStack) {
    const std::string huge = "0." + std::string(1 << 20, '7');
    int status = -1;
    // A small stack: a parser that recurses per character would overflow it.
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    struct Job {
        const std::string* value;
        int* status;
    } job{&huge, &status};
    pthread_t thread;
    ASSERT_EQ(pthread_create(
                  &thread, &attributes,
                  [](void* arg) -> void* {
                      auto* j = static_cast<Job*>(arg);
                      std::ostringstream out;
                      std::ostringstream err;
                      *j->status = run({"number", "--low", *j->value + "x"}, out, err);
                      return nullptr;
                  },
                  &job),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(status, kExitUsage);
}

TEST(CliOptions, MistakesNameTheClosestValidName) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"strng"}, "unknown command 'strng'; did you mean 'string'?"},
        {{"string", "--lenght", "3"}, "unknown option '--lenght'; did you mean '--length'?"},
        {{"number", "--rnage", "1..2"}, "did you mean '--range'?"},
        {{"xyz"}, "unknown command 'xyz'\n"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args[0]);
        const Result r = runCli(args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
}

TEST(CliOptions, ShortFormsEqualTheLongPairs) {
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"string", "--length", "16"}, {"string", "--min-length", "16", "--max-length", "16"}},
        {{"string", "--length", "3..9"}, {"string", "--min-length", "3", "--max-length", "9"}},
        {{"number", "--range", "-10..10"}, {"number", "--low", "-10", "--high", "10"}},
        {{"number", "-o", "-"}, {"number"}},
    };
    for (auto [shortForm, longForm] : cases) {
        SCOPED_TRACE(shortForm[1]);
        for (auto* args : {&shortForm, &longForm}) {
            args->insert(args->end(), {"--seed", "3", "-n", "50"});
        }
        const Result a = runCli(shortForm);
        EXPECT_EQ(a.status, kExitOk);
        EXPECT_EQ(a.out, runCli(longForm).out);
    }
}

TEST(CliOptions, HelpFitsEightyColumnsWithEachCommandsOwnExamples) {
    for (const char* command : {"string", "number", "time"}) {
        SCOPED_TRACE(command);
        const Result help = runCli({command, "--help"});
        EXPECT_EQ(help.status, kExitOk);
        for (const auto& line : lines(help.out)) {
            EXPECT_LE(line.size(), 80u) << line;
        }
        for (const char* other : {"string", "number", "time"}) {
            const bool own = std::string(other) == command;
            EXPECT_EQ(help.out.find(std::string("ovantis-cli ") + other) != std::string::npos, own);
        }
    }
    EXPECT_NE(runCli({"string", "--help"}).out.find("(default 5..8)"), std::string::npos);
    EXPECT_NE(runCli({"--help"}).out.find("--seed S draws from the classic source"),
              std::string::npos);
    const Result version = runCli({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_NE(version.out.find(ovantis::version::kText), std::string::npos);
    for (const char* flag : {"--help", "--version"}) {
        const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        FdStreambuf buffer(full);
        std::ostream out(&buffer);
        std::ostringstream err;
        EXPECT_EQ(run({flag}, out, err), kExitIo) << flag;
        EXPECT_NE(err.str().find("No space left on device"), std::string::npos) << err.str();
        ::close(full);
    }
}

TEST(CliOptions, ClassAndTypeFlagsSelect) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"string", "-D"}, "[0-9]{5,8}"},
        {{"number", "--decimal", "--places", "3"}, "[0-9]+\\.[0-9]{3}"},
        {{"number", "--integer", "--range", "-5..5"}, "-?[0-5]"},
    };
    for (auto [args, pattern] : cases) {
        SCOPED_TRACE(pattern);
        args.insert(args.end(), {"-n", "50"});
        for (const auto& line : lines(runCli(args).out)) {
            EXPECT_TRUE(std::regex_match(line, std::regex(pattern))) << line;
        }
    }
}

TEST(CliOutput, LongLinesStreamAndCrLfEndsLines) {
    const Result r = runCli(
        {"string", "--min-length", "1000000", "--max-length", "1000000", "-n", "2", "--crlf"});
    ASSERT_EQ(r.out.size(), 2u * 1000002u);
    EXPECT_EQ(r.out.substr(1000000, 2), "\r\n");
    EXPECT_EQ(r.out.find('\n'), 1000001u);
}

TEST(CliOutput, FileIsWrittenWholeOrNotAtAll) {
    TempDir dir;
    const fs::path target = dir.path / "out.txt";
    std::ofstream(target) << "old";
    const Result r = runCli({"number", "--seed", "1", "-n", "3", "-o", target.string()});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(readFile(target), "80.87\n89.60\n100\n");
    const Result missing = runCli({"string", "-o", (dir.path / "missing" / "out.txt").string()});
    EXPECT_EQ(missing.status, kExitIo);
    EXPECT_NE(missing.err.find("cannot write"), std::string::npos) << missing.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(CliTime, PrintsOneTimestampPerEventAndLaunchesWithoutAShell) {
    TempDir dir;
    const fs::path probe = dir.path / "probe";
    const std::string command = "touch " + probe.string() + "; echo \"a b\" 'c'";
    const Result failed = runCli({"time", "-n", "2", "--delay", "0..5", "--exec", command});
    EXPECT_EQ(failed.status, kExitIo) << "a failed launch fails the run, after every event";
    EXPECT_NE(failed.err.find("ovantis-cli: cannot start"), std::string::npos) << failed.err;
    const auto events = lines(failed.out);
    ASSERT_EQ(events.size(), 2u);
    // The local date of today (a run across midnight is the rare exception).
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%Y-%m-%d   ", std::localtime(&now));
    for (const auto& line : events) {
        EXPECT_TRUE(std::regex_match(line, std::regex(today + std::string(R"(\d{2}:\d{2}:\d{2})"))))
            << line;
    }
    // Each argument after -- arrives whole.
    const fs::path spaced = dir.path / "a b";
    const Result launched = runCli({"time", "-n", "1", "--delay", "0..0", "--exec", "touch", "--",
                                    spaced.string(), probe.string()});
    EXPECT_EQ(launched.status, kExitOk) << launched.err;
    for (int waited = 0; waited < 50 && !fs::exists(probe); ++waited) {
        ::usleep(20000);
    }
    EXPECT_TRUE(fs::exists(spaced));
    EXPECT_TRUE(fs::exists(probe));
}

// Starts the real binary, signals it after a while and returns its exit status.
int signalledStatus(std::vector<std::string> args, int signal, int afterMs) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(OVANTIS_CLI_PATH)};
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ::execv(OVANTIS_CLI_PATH, argv.data());
        ::_exit(127);
    }
    ::usleep(static_cast<useconds_t>(afterMs) * 1000);
    ::kill(pid, signal);
    int status = 0;
    // Within a second, or it is killed and the test fails.
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
        if (waited >= 1000) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        ::usleep(10000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

TEST(CliBinary, StopSignalsEndAHugeLinePromptlyAndLeaveNothing) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(signal);
        TempDir dir;
        const fs::path target = dir.path / "out.txt";
        EXPECT_EQ(
            signalledStatus({"string", "--length", "2147483647", "-n", "1", "-o", target.string()},
                            signal, 300),
            128 + signal);
        EXPECT_TRUE(fs::is_empty(dir.path));
    }
}

TEST(CliBinary, InterruptedTimeRunKeepsTheLinesLogged) {
    TempDir dir;
    const fs::path log = dir.path / "log.txt";
    EXPECT_EQ(signalledStatus({"time", "-n", "1000", "--delay", "0..20", "-o", log.string()},
                              SIGINT, 400),
              130);
    EXPECT_FALSE(lines(readFile(log)).empty());
}

TEST(CliBinary, ClosedPipeEndsAHugeRunQuietly) {
    // Status 0 from the CLI itself, and nothing on stderr beside the line.
    const std::string command =
        std::string("set -o pipefail; ") + OVANTIS_CLI_PATH +
        " number --integer -n 1000000000 2>&1 | head -1 | grep -qx '[0-9]*'";
    EXPECT_EQ(std::system(("bash -c \"" + command + "\"").c_str()), 0);
}

}  // namespace
}  // namespace ovantis::cli
