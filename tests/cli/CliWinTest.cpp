// The Windows boundary of ovantis-cli: arguments read from the UTF-16 command
// line, file names in UTF-8, and standard output passed on byte for byte.
#include <windows.h>

#include <sstream>

#include "CliApp.h"
#include "WinTempFolder.h"
#include "WinText.h"

namespace ovantis::cli {
namespace {

using test::readAll;
using test::widePath;
using test::WinTempFolder;

std::string inProcess(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    EXPECT_EQ(run(args, out, err), kExitOk) << err.str();
    return out.str();
}

// Runs the real binary with args (none holding a quote or a backslash before
// a space), its standard output going to the file stdoutPath; returns its status.
DWORD runBinary(const std::vector<std::string>& args, const std::string& stdoutPath) {
    std::wstring line = L"\"" + sys::toWide(OVANTIS_CLI_PATH) + L"\"";
    for (const std::string& arg : args) {
        line += L" \"" + sys::toWide(arg) + L"\"";
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE out = ::CreateFileW(sys::toWide(stdoutPath).c_str(), GENERIC_WRITE, 0, &inherit,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    PROCESS_INFORMATION process{};
    DWORD status = 999;
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, 60000);
        ::GetExitCodeProcess(process.hProcess, &status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(out);
    return status;
}

TEST(CliWin, NonAsciiArgumentsAndFileNamesSurviveTheCommandLine) {
    WinTempFolder folder;
    const std::vector<std::string> args = {"string", "--head", "用户_", "--seed", "7", "-n", "3"};
    std::vector<std::string> toFile = args;
    toFile.insert(toFile.end(), {"-o", folder / "结果.txt"});
    EXPECT_EQ(runBinary(toFile, folder / "stdout"), 0u) << readAll(folder / "stdout");
    EXPECT_EQ(readAll(folder / "结果.txt"), inProcess(args));
    EXPECT_EQ(readAll(folder / "结果.txt").rfind("用户_", 0), 0u);
}

// No CR LF translation: LF lines, or CR LF exactly where --crlf asks.
TEST(CliWin, StandardOutputGetsTheBytesUnchanged) {
    WinTempFolder folder;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"number", "--seed", "42", "-n", "1000"},
          {"string", "--seed", "42", "-n", "100", "--crlf"}}) {
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(runBinary(args, folder / "stdout"), 0u);
        EXPECT_EQ(readAll(folder / "stdout"), inProcess(args));
    }
}

}  // namespace
}  // namespace ovantis::cli
