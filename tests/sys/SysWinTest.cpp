// The Windows side of sys/: what differs from POSIX gets its own cases here.
#include <windows.h>

#include <cctype>
#include <filesystem>

#include "Launcher.h"
#include "OutputFile.h"
#include "ReasonText.h"
#include "SystemRandom.h"
#include "TempFolder.h"
#include "WinText.h"

namespace ovantis::sys {
namespace {

using test::pathOf;
using test::readAll;
using test::TempFolder;

// Quoting is undone by CommandLineToArgvW: spaces, quotes, backslashes before
// a quote or at the end, empty and non-ASCII arguments all arrive whole.
TEST(LauncherWin, EachArgumentArrivesWholeByPathAndByNameOnPath) {
    TempFolder folder;
    const std::string report = folder / "report";
    ::SetEnvironmentVariableW(L"OVANTIS_PROBE_REPORT", toWide(report).c_str());
    const std::filesystem::path probe = OVANTIS_PROBE_PATH;
    const std::vector<std::string> args = {"a b",      "\"q\"",     "c:\\x\\",    "",       "plain",
                                           "x\\\\\"y", "tab\there", "d\\e f\\\\", "用户 名"};
    std::wstring expected;
    for (const std::string& arg : args) {
        expected += L"arg: " + toWide(arg) + L"\n";
    }
    wchar_t oldPath[32767];
    ::GetEnvironmentVariableW(L"PATH", oldPath, 32767);
    // By path, and by name (no extension) on PATH.
    for (const auto& [program, path] : {std::pair{probe.string(), std::wstring(oldPath)},
                                        {probe.stem().string(), probe.parent_path().wstring()}}) {
        SCOPED_TRACE(program);
        ::SetEnvironmentVariableW(L"PATH", path.c_str());
        const auto failure = Launcher::launch(program, args);
        ::SetEnvironmentVariableW(L"PATH", oldPath);
        ASSERT_FALSE(failure) << failure->text(Language::English);
        // Wine may take many seconds to start a process on a busy machine.
        for (int waited = 0; waited < 60000 && !std::filesystem::exists(pathOf(report));
             waited += 10) {
            ::Sleep(10);
        }
        const std::string bytes = readAll(report);
        std::filesystem::remove(pathOf(report));
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2),
                  expected);
    }
    ::SetEnvironmentVariableW(L"OVANTIS_PROBE_REPORT", nullptr);
}

// Run from a folder holding a program, a batch file and a document, with
// nothing on PATH but entries standing for that folder: each failure says
// why, and nothing starts.
TEST(LauncherWin, SaysWhyAProgramDidNotStart) {
    TempFolder folder;
    ::SetEnvironmentVariableW(L"OVANTIS_PROBE_REPORT", toWide(folder / "report").c_str());
    std::filesystem::copy_file(OVANTIS_PROBE_PATH, pathOf(folder / "probe.exe"));
    std::ofstream(pathOf(folder / "run.bat")) << "echo x > marker\r\n";
    std::ofstream(pathOf(folder / "notes.txt")) << "hi";
    const struct Case {
        std::string program, text;
        std::vector<std::string> args = {};
    } cases[] = {
        {folder / "missing.exe", folder / "missing.exe: "},
        {"ovantis-no-such-program", "ovantis-no-such-program: not found on PATH"},
        {"probe.exe",
         "probe.exe: not found on PATH (.\\probe.exe would run the one in this folder)",
         {"a b"}},
        {"probe", "probe: not found on PATH (.\\probe would run the one in this folder)"},
        {"run.bat", "run.bat: a script or batch file is never started"},
        {folder / "run.bat", folder / "run.bat: a script or batch file is never started"},
        {"notes.txt", "notes.txt: a document or URL takes no arguments", {"x"}},
        {"https://example.org/",
         "https://example.org/: a document or URL takes no arguments",
         {"x"}},
        {"cmd /c echo x > marker", "cmd /c echo x > marker: "},
        {"", ": no program name"},
    };
    wchar_t oldPath[32767];
    ::GetEnvironmentVariableW(L"PATH", oldPath, 32767);
    wchar_t oldFolder[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, oldFolder);
    ::SetEnvironmentVariableW(L"PATH", L";.;bin");
    ::SetCurrentDirectoryW(toWide(folder.path).c_str());
    for (const auto& [program, text, args] : cases) {
        SCOPED_TRACE(program);
        const auto failure = Launcher::launch(program, args);
        const std::string got = failure ? failure->text(Language::English) : "started";
        // The system's reason for a missing file varies with its version.
        EXPECT_EQ(got.substr(0, text.size()), text);
    }
    ::SetCurrentDirectoryW(oldFolder);
    ::SetEnvironmentVariableW(L"PATH", oldPath);
    ::Sleep(500);
    EXPECT_EQ(folder.names(), "notes.txt\nprobe.exe\nrun.bat\n") << "something started";
    ::SetEnvironmentVariableW(L"OVANTIS_PROBE_REPORT", nullptr);
}

// Saves "new" to path; the error, or "".
std::string saveNew(const std::string& path) {
    OutputFile file(path);
    return file.open() && file.write("new") && file.commit()
               ? ""
               : systemWords(file.error(), Language::English);
}

// Each row makes the target (old content, attributes, a second name b), saves
// "new" to it and lists what the folder then holds: nothing temporary is ever
// left, the attributes stay and b holds what the target does.
TEST(OutputFileWin, ReplacesWholeKeepsWhatItMustNotTouchAndLeavesNothing) {
    // The longest name a folder takes, and one past it.
    const std::string longest = std::string(251, 'n') + ".txt";
    const std::string longestListing = longest + "\n";
    const std::string tooLong = "n" + longest;
    struct Case {
        const char* name;
        const char* old;  // nullptr: no such file
        DWORD attributes;
        bool link;
        const char* target;
        bool saved;
        const char* listing;
        bool bare;  // saved by its bare name from within the folder
    } const cases[] = {
        {"new file", nullptr, 0, false, "out.txt", true, "out.txt\n"},
        {"UTF-8 name", nullptr, 0, false, "结果.txt", true, "结果.txt\n"},
        {"replaced", "old, longer", 0, false, "out.txt", true, "out.txt\n"},
        {"hidden kept", "old", FILE_ATTRIBUTE_HIDDEN, false, "out.txt", true, "out.txt\n"},
        {"read-only refused", "old", FILE_ATTRIBUTE_READONLY, false, "out.txt", false, "out.txt\n"},
        {"folder refused", nullptr, FILE_ATTRIBUTE_DIRECTORY, false, "dir", false, "dir\n"},
        {"missing folder", nullptr, 0, false, "missing\\out.txt", false, ""},
        {"hard link rewritten in place", "old, longer", 0, true, "out.txt", true, "b\nout.txt\n"},
        {"replaced by a bare name", "old", 0, false, "out.txt", true, "out.txt\n", true},
        {"new by a bare name", nullptr, 0, false, "out.txt", true, "out.txt\n", true},
        {"longest name", "old", 0, false, longest.c_str(), true, longestListing.c_str()},
        {"name too long", nullptr, 0, false, tooLong.c_str(), false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::wstring target = toWide(folder / c.target);
        if (c.old != nullptr) {
            std::ofstream(pathOf(folder / c.target)) << c.old;
        }
        if (c.attributes == FILE_ATTRIBUTE_DIRECTORY) {
            ::CreateDirectoryW(target.c_str(), nullptr);
        } else if (c.attributes != 0) {
            ::SetFileAttributesW(target.c_str(), c.attributes);
        }
        if (c.link) {
            ::CreateHardLinkW(toWide(folder / "b").c_str(), target.c_str(), nullptr);
        }
        wchar_t oldFolder[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, oldFolder);
        if (c.bare) {
            ::SetCurrentDirectoryW(toWide(folder.path).c_str());
        }
        const std::string error = saveNew(c.bare ? c.target : folder / c.target);
        ::SetCurrentDirectoryW(oldFolder);
        EXPECT_EQ(error.empty(), c.saved) << error;
        EXPECT_TRUE(error.empty() || std::isalnum(static_cast<unsigned char>(error.back())))
            << error;
        EXPECT_EQ(readAll(folder / c.target), c.saved ? "new" : c.old ? c.old : "");
        EXPECT_EQ(readAll(folder / "b"), c.link ? "new" : "");
        EXPECT_EQ(folder.names(), c.listing);
        EXPECT_EQ(::GetFileAttributesW(target.c_str()) & c.attributes, c.attributes);
        ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A dropped, unfinished file leaves the old content and no temporary file;
// devices are written through.
TEST(OutputFileWin, DiscardKeepsTheOldFile) {
    TempFolder folder;
    std::ofstream(pathOf(folder / "out")) << "old";
    {
        OutputFile file(folder / "out");
        ASSERT_TRUE(file.open() && file.write("partial")) << file.error();
    }
    EXPECT_EQ(readAll(folder / "out"), "old");
    EXPECT_EQ(folder.names(), "out\n");
    EXPECT_EQ(saveNew("NUL"), "");
}

TEST(SystemRandomWin, FillsEveryByte) {
    std::uint8_t a[64] = {}, b[64] = {};
    SystemRandom::fill(a, sizeof a);
    SystemRandom::fill(b, sizeof b);
    EXPECT_NE(std::string(a, a + 64), std::string(b, b + 64));
    EXPECT_NE(std::string(a + 32, a + 64), std::string(32, '\0'));
}

}  // namespace
}  // namespace ovantis::sys
