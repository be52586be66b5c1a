#include "CliApp.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "BatchRun.h"
#include "ControlIds.h"
#include "Lines.h"
#include "ScriptedHost.h"
#include "StringGenerator.h"

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

TEST(CliGolden, SeedReproducesTheWindowPages) {
    const Result strings = runCli({"string", "--seed", "1", "-n", "3"});
    EXPECT_EQ(strings.status, kExitOk);
    EXPECT_EQ(strings.out, "gmAfxi\nVCGbDXff\nSTPpxPV\n");
    const Result numbers = runCli({"number", "--seed", "1", "-n", "5"});
    EXPECT_EQ(numbers.out, "80.87\n89.60\n100\n85.89\n98.85\n");
}

TEST(CliGolden, EqualsTheCoreForTheSameSettings) {
    RandomSource random(RandomSource::Kind::Classic, [] { return std::time_t{777}; });
    test::ScriptedHost host(StringGenerator::initialContent());
    host.checks[ids::kDigits] = 1;
    host.texts[ids::kHead] = "h-";
    host.texts[ids::kMinLength] = "0";
    host.texts[ids::kMaxLength] = "20";
    host.texts[ids::kStringCount] = "300";
    StringGenerator page(host, random);
    BatchRun(page);
    const Result cli = runCli({"string", "-U", "-L", "-D", "--head", "h-", "--min-length", "0",
                               "--max-length", "20", "-n", "300", "--seed", "777", "--crlf"});
    EXPECT_EQ(cli.out, host.texts[ids::kStringOutput]);
}

TEST(CliValidation, PageNoticesOnStderrWithStatusTwo) {
    // One per subcommand, and the 64-bit bound rule of integer draws.
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"string", "--min-length", "8", "--max-length", "5", "-n", "0"}, "生成长度设定无效！"},
        {{"number", "--integer", "--high", "1e20"}, "数值范围设定无效！"},
        {{"time", "--exec", "", "--min-delay", "9", "--max-delay", "1"}, "外部程序命令行无效！"},
    };
    for (const auto& [args, notice] : cases) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, kExitUsage) << args[1];
        EXPECT_EQ(r.err, std::string(notice) + "\n");
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(CliValidation, MalformedNumbersAndBadCombinationsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"string", "--count", "12abc"},
        {"string", "--min-length", "1.5"},
        {"string", "-n", "99999999999"},
        {"number", "--low", "1x"},
        {"number", "--high", "inf"},
        {"number", "--places", "two"},
        {"time", "--max-delay", "0x10"},
        {"string", "--seed", "-1"},
        {"string", "--seed", "4294967296"},
        {"string", "--seed", "1", "--secure"},
        {"string", "--bogus"},
        {},
        {"number", "--low"},
    };
    for (const auto& args : cases) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, kExitUsage) << (args.empty() ? "(none)" : args.back());
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(runCli({"string", "--seed", "4294967295", "-n", "1"}).status, kExitOk);
    EXPECT_EQ(runCli({"number", "--low", "-.5e1", "--high", "+7.", "-n", "1"}).status, kExitOk);
}

TEST(CliOptions, HelpAndVersionSucceed) {
    const Result help = runCli({"string", "--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("--min-length"), std::string::npos);
    EXPECT_NE(help.out.find("Examples:"), std::string::npos);
    const Result version = runCli({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_NE(version.out.find("1.0.127"), std::string::npos);
}

TEST(CliOptions, ClassAndTypeFlagsSelect) {
    for (const auto& line : lines(runCli({"string", "-D", "-n", "50"}).out)) {
        EXPECT_TRUE(std::regex_match(line, std::regex("[0-9]{5,8}"))) << line;
    }
    for (const auto& line :
         lines(runCli({"number", "--decimal", "--places", "3", "-n", "50"}).out)) {
        EXPECT_TRUE(std::regex_match(line, std::regex("[0-9]+\\.[0-9]{3}"))) << line;
    }
    for (const auto& line :
         lines(runCli({"number", "--integer", "--low", "-5", "--high", "5", "-n", "50"}).out)) {
        EXPECT_TRUE(std::regex_match(line, std::regex("-?[0-5]"))) << line;
    }
}

TEST(CliSecure, WellFormedAndDifferentEachRun) {
    const std::vector<std::string> args = {"string", "--secure",     "-U", "-L",
                                           "-D",     "--min-length", "16", "--max-length",
                                           "16",     "-n",           "20"};
    const Result a = runCli(args);
    const Result b = runCli(args);
    EXPECT_EQ(a.status, kExitOk);
    EXPECT_NE(a.out, b.out);
    for (const auto& line : lines(a.out)) {
        EXPECT_TRUE(std::regex_match(line, std::regex("[A-Za-z0-9]{16}"))) << line;
    }
}

TEST(CliOutput, LongLinesStreamAndCrLfEndsLines) {
    const Result r = runCli(
        {"string", "--min-length", "1000000", "--max-length", "1000000", "-n", "2", "--crlf"});
    ASSERT_EQ(r.out.size(), 2u * 1000002u);
    EXPECT_EQ(r.out.substr(1000000, 2), "\r\n");
    EXPECT_EQ(r.out.find('\n'), 1000001u);
}

TEST(CliOutput, FileIsWrittenWholeAndNothingElseIsLeft) {
    TempDir dir;
    const fs::path target = dir.path / "out.txt";
    std::ofstream(target) << "old";
    const Result r = runCli({"number", "--seed", "1", "-n", "3", "-o", target.string()});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(readFile(target), "80.87\n89.60\n100\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(CliOutput, UnwritableTargetFailsWithStatusOneAndKeepsTheOldFile) {
    TempDir dir;
    const Result missing = runCli({"string", "-o", (dir.path / "missing" / "out.txt").string()});
    EXPECT_EQ(missing.status, kExitIo);
    EXPECT_NE(missing.err.find("cannot create"), std::string::npos);

    // As root a read-only folder is still writable, so use one no one can write.
    fs::path existing = dir.path / "keep.txt";
    std::ofstream(existing) << "keep";
    if (::geteuid() == 0) {
        existing = "/proc/version";
    } else {
        ::chmod(dir.path.c_str(), 0555);
    }
    const std::string before = readFile(existing);
    const Result readOnly = runCli({"string", "-o", existing.string()});
    EXPECT_EQ(readOnly.status, kExitIo);
    EXPECT_EQ(readFile(existing), before);
}

TEST(CliOutput, RejectedSettingsCreateNoFile) {
    TempDir dir;
    const fs::path target = dir.path / "out.txt";
    EXPECT_EQ(runCli({"string", "-n", "0", "-o", target.string()}).status, kExitUsage);
    EXPECT_FALSE(fs::exists(target));
}

TEST(CliTime, PrintsOneTimestampPerEventAndNeverUsesAShell) {
    TempDir dir;
    const fs::path probe = dir.path / "probe";
    const std::string command = "touch " + probe.string() + "; echo \"a b\" 'c'";
    const Result r =
        runCli({"time", "-n", "2", "--min-delay", "0", "--max-delay", "5", "--exec", command});
    EXPECT_EQ(r.status, kExitOk);
    const auto events = lines(r.out);
    ASSERT_EQ(events.size(), 2u);
    for (const auto& line : events) {
        EXPECT_TRUE(std::regex_match(line, std::regex(R"(\d{4}-\d{2}-\d{2}   \d{2}:\d{2}:\d{2})")))
            << line;
    }
    ::usleep(200000);
    EXPECT_FALSE(fs::exists(probe));
}

TEST(CliBinary, ClosedPipeEndsAHugeRunQuietly) {
    const std::string command =
        std::string(OVANTIS_CLI_PATH) +
        " number --integer --low 80 --high 100 -n 1000000000 2>&1 | head -1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[256] = {};
    std::string output;
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = ::pclose(pipe);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(std::regex_match(output, std::regex("[0-9]+\n"))) << output;

    const std::string exitCode = std::string("set -o pipefail; ") + OVANTIS_CLI_PATH +
                                 " string -n 1000000000 | head -1 >/dev/null";
    EXPECT_EQ(std::system(("bash -c '" + exitCode + "'").c_str()), 0);
}

}  // namespace
}  // namespace ovantis::cli
