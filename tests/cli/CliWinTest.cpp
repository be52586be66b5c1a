// The Windows boundary of ovantis-cli: arguments read from the UTF-16 command
// line, file names in UTF-8, and standard output passed on byte for byte.
#include <windows.h>

#include <sstream>

#include "CliApp.h"
#include "TempFolder.h"
#include "WinText.h"

namespace ovantis::cli {
namespace {

using test::readAll;
using test::TempFolder;

std::string inProcess(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    EXPECT_EQ(run(args, out, err), kExitOk) << err.str();
    return out.str();
}

HANDLE inheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(sys::toWide(path).c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Starts the real binary with args (none holding a quote or a backslash before
// a space) writing to the given handles, which it closes here; after
// whileRunning, waits and returns the exit status.
DWORD runBinary(
    const std::vector<std::string>& args, HANDLE out, HANDLE err, void (*whileRunning)() = [] {}) {
    std::wstring line = L"\"" + sys::toWide(OVANTIS_CLI_PATH) + L"\"";
    for (const std::string& arg : args) {
        line += L" \"" + sys::toWide(arg) + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    DWORD status = 999;
    const bool started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &startup, &process);
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (started) {
        whileRunning();
        ::WaitForSingleObject(process.hProcess, 60000);
        ::GetExitCodeProcess(process.hProcess, &status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    return status;
}

DWORD runBinary(const std::vector<std::string>& args, const std::string& stdoutPath,
                const std::string& stderrPath) {
    return runBinary(args, inheritableFile(stdoutPath), inheritableFile(stderrPath));
}

TEST(CliWin, NonAsciiArgumentsAndFileNamesSurviveTheCommandLine) {
    TempFolder folder;
    const std::vector<std::string> args = {"string", "--head", "用户_", "--seed", "7", "-n", "3"};
    std::vector<std::string> toFile = args;
    toFile.insert(toFile.end(), {"-o", folder / "结果.txt"});
    EXPECT_EQ(runBinary(toFile, folder / "stdout", folder / "stderr"), 0u)
        << readAll(folder / "stderr");
    EXPECT_EQ(readAll(folder / "结果.txt"), inProcess(args));
}

// No CR LF translation: LF lines, or CR LF exactly where --crlf asks.
TEST(CliWin, StandardOutputGetsTheBytesUnchanged) {
    TempFolder folder;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"number", "--seed", "42", "-n", "1000"},
          {"string", "--seed", "42", "-n", "100", "--crlf"}}) {
        SCOPED_TRACE(args[0]);
        // A name per run: Wine may close an ended child's handles a little later.
        const std::string out = folder / (args[0] + ".out");
        EXPECT_EQ(runBinary(args, out, folder / (args[0] + ".err")), 0u);
        EXPECT_EQ(readAll(out), inProcess(args));
    }
}

HANDLE g_reader = nullptr;

// A reader that stops early (| head) ends the run quietly with status 0.
TEST(CliWin, ClosedPipeEndsAHugeRunQuietly) {
    TempFolder folder;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE writer = nullptr;
    ASSERT_TRUE(::CreatePipe(&g_reader, &writer, &inherit, 0));
    ::SetHandleInformation(g_reader, HANDLE_FLAG_INHERIT, 0);
    const DWORD status = runBinary({"number", "--integer", "-n", "1000000000"}, writer,
                                   inheritableFile(folder / "stderr"), [] {
                                       char line[16];
                                       DWORD got = 0;
                                       ::ReadFile(g_reader, line, sizeof line, &got, nullptr);
                                       ::CloseHandle(g_reader);
                                   });
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(readAll(folder / "stderr"), "");
}

}  // namespace
}  // namespace ovantis::cli
