#include "Launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "OutputFile.h"
#include "TempFolder.h"

namespace ovantis::sys {
namespace {

using test::readAll;
using test::TempFolder;

bool waitFor(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(path)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Zombie children of this process, from /proc.
int zombieChildren() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string stat = readAll(entry.path().string() + "/stat");
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        char state = 0;
        int parent = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &parent) == 2 &&
            parent == ::getpid() && state == 'Z') {
            ++count;
        }
    }
    return count;
}

// The parent here is as unclean as ovantis-cli gets: SIGPIPE ignored, a signal
// blocked, an output file open and a descriptor some library left inheritable.
TEST(Launcher, ChildStartsCleanWithEachArgumentWhole) {
    TempFolder folder;
    const std::string report = folder / "report";
    ::setenv("OVANTIS_PROBE_REPORT", report.c_str(), 1);
    const std::string probeDir = std::filesystem::path(OVANTIS_PROBE_PATH).parent_path();
    const std::string probeName = std::filesystem::path(OVANTIS_PROBE_PATH).filename();
    const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";

    OutputFile output(folder / "out.txt");
    ASSERT_TRUE(output.open()) << output.error();
    const int leaked = ::open("/dev/null", O_RDONLY);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction oldPipe {};
    ::sigaction(SIGPIPE, &ignore, &oldPipe);
    sigset_t blocked;
    sigset_t oldMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ::pthread_sigmask(SIG_BLOCK, &blocked, &oldMask);

    struct Case {
        const char* what;
        std::string program;
        std::string path;
    };
    for (const Case& c : {Case{"by path", OVANTIS_PROBE_PATH, oldPath},
                          Case{"by name on PATH", probeName, probeDir}}) {
        SCOPED_TRACE(c.what);
        ::setenv("PATH", c.path.c_str(), 1);
        const auto failure = Launcher::launch(c.program, {"two words", "say \"hi\" 'there'", ""});
        ::setenv("PATH", oldPath.c_str(), 1);
        ASSERT_FALSE(failure) << *failure;
        ASSERT_TRUE(waitFor(report));
        EXPECT_EQ(readAll(report),
                  "fds: 0 1 2\n"
                  "stdin: /dev/null\n"
                  "stdout: /dev/null\n"
                  "ignored:\n"
                  "blocked:\n"
                  "arg: two words\n"
                  "arg: say \"hi\" 'there'\n"
                  "arg: \n");
        std::filesystem::remove(report);
    }

    ::pthread_sigmask(SIG_SETMASK, &oldMask, nullptr);
    ::sigaction(SIGPIPE, &oldPipe, nullptr);
    ::close(leaked);
    ::unsetenv("OVANTIS_PROBE_REPORT");
}

TEST(Launcher, NamesWhatCouldNotStart) {
    TempFolder folder;
    const std::string marker = folder / "marker";
    for (const std::string& program :
         {std::string("/nonexistent/ovantis-program"), std::string("ovantis-no-such-program"),
          "touch " + marker, "sh -c 'touch " + marker + "'", std::string()}) {
        SCOPED_TRACE(program);
        EXPECT_EQ(Launcher::launch(program, {}),
                  "cannot start " + program + ": No such file or directory");
    }
    EXPECT_FALSE(std::filesystem::exists(marker)) << "the text went to a shell";
}

TEST(Launcher, LeavesNoZombies) {
    ASSERT_FALSE(Launcher::launch("true", {}));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (zombieChildren() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    Launcher::reap();
    EXPECT_EQ(zombieChildren(), 0);
}

}  // namespace
}  // namespace ovantis::sys
