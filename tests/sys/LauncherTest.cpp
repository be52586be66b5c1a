#include "Launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "OutputFile.h"
#include "TempFolder.h"

namespace ovantis::sys {
namespace {

using test::readAll;
using test::shell;
using test::TempFolder;

// The parent here is as unclean as ovantis-cli gets: SIGPIPE ignored, a signal
// blocked, an output file open and a descriptor some library left inheritable.
TEST(Launcher, ChildStartsCleanWithEachArgumentWhole) {
    TempFolder folder;
    const std::string report = folder / "report";
    ::setenv("OVANTIS_PROBE_REPORT", report.c_str(), 1);
    const std::filesystem::path probe = OVANTIS_PROBE_PATH;
    const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";

    OutputFile output(folder / "out.txt");
    ASSERT_TRUE(output.open()) << output.error();
    const int leaked = ::open("/dev/null", O_RDONLY);
    ::signal(SIGPIPE, SIG_IGN);
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ::pthread_sigmask(SIG_BLOCK, &blocked, nullptr);

    // By path, and by name on PATH.
    for (const auto& [program, path] :
         {std::pair{probe.string(), oldPath}, {probe.filename(), probe.parent_path()}}) {
        SCOPED_TRACE(program);
        ::setenv("PATH", path.c_str(), 1);
        const auto failure = Launcher::launch(program, {"two words", "say \"hi\" 'there'", ""});
        ::setenv("PATH", oldPath.c_str(), 1);
        ASSERT_FALSE(failure) << failure->text(Language::English);
        for (int waited = 0; waited < 10000 && !std::filesystem::exists(report); waited += 10) {
            ::usleep(10000);
        }
        EXPECT_EQ(readAll(report),
                  "fds: 0 1 2 3\nstdin: /dev/null\nstdout: /dev/null\nSigBlk: 0\nSigIgn: 0\n"
                  "arg: two words\narg: say \"hi\" 'there'\narg: \n");
        std::filesystem::remove(report);
    }

    ::pthread_sigmask(SIG_UNBLOCK, &blocked, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    ::close(leaked);
    ::unsetenv("OVANTIS_PROBE_REPORT");
}

// Run from a folder holding a program and a document, with nothing on PATH
// but entries standing for the current folder (no xdg-open either): each
// failure says why, and the name escaped.
TEST(Launcher, SaysWhyAProgramDidNotStart) {
    TempFolder folder;
    const std::string marker = folder / "marker";
    folder.sh("mkdir bin; printf '#!/bin/sh\\n' > probe; chmod +x probe; echo hi > notes.txt");
    const struct Case {
        std::string program, text;
        std::vector<std::string> args = {};
    } cases[] = {
        {"/nonexistent/ovantis-program", "/nonexistent/ovantis-program: No such file or directory"},
        {"ovantis-no-such-program", "ovantis-no-such-program: not found on PATH"},
        {"probe", "probe: not found on PATH (./probe would run the one in this folder)"},
        {"no\x1b[2Jsuch", "no\\x1b[2Jsuch: not found on PATH"},
        {"touch " + marker, "touch " + marker + ": No such file or directory"},
        {"sh -c 'touch " + marker + "'", "sh -c 'touch " + marker + "': No such file or directory"},
        {"notes.txt", "notes.txt: nothing opens documents here: xdg-open not found on PATH"},
        {"https://example.org/",
         "https://example.org/: nothing opens documents here: xdg-open not found on PATH"},
        {"", ": no program name"},
        {"notes.txt", "notes.txt: a document or URL takes no arguments", {"x"}},
        {"https://example.org/",
         "https://example.org/: a document or URL takes no arguments",
         {""}},
    };
    const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    const auto oldFolder = std::filesystem::current_path();
    ::setenv("PATH", (":.:bin:" + folder / "bin").c_str(), 1);
    std::filesystem::current_path(folder.path);
    for (const auto& [program, text, args] : cases) {
        SCOPED_TRACE(program);
        const auto failure = Launcher::launch(program, args);
        EXPECT_EQ(failure ? failure->text(Language::English) : "started", text);
    }
    std::filesystem::current_path(oldFolder);
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_FALSE(std::filesystem::exists(marker)) << "the text went to a shell";
}

TEST(Launcher, LeavesNoZombies) {
    ASSERT_FALSE(Launcher::launch("true", {}).has_value());
    const std::string children = "ps -o stat= --ppid " + std::to_string(::getpid());
    for (int waited = 0; waited < 10000 && shell(children).find('Z') == std::string::npos;
         waited += 10) {
        ::usleep(10000);
    }
    Launcher::reap();
    EXPECT_EQ(shell(children).find('Z'), std::string::npos) << shell(children);
}

}  // namespace
}  // namespace ovantis::sys
