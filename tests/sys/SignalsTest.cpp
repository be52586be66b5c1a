#include "Signals.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "TempFolder.h"

namespace ovantis::sys {
namespace {

using test::TempFolder;

// The first interrupt only asks the run to stop; if winding down then hangs,
// a second one ends it at once without leaving its temporary file.
TEST(Signals, SecondInterruptEndsAStuckRunAtOnceAndRemovesItsTemporaryFile) {
    TempFolder folder;
    const std::string pending = folder / ".ovantis-pending";
    folder.sh("echo partial > .ovantis-pending");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        Signals::install();
        Signals::removeOnExit(pending.c_str());
        [[maybe_unused]] ssize_t told = ::write(ready[1], "1", 1);
        while (!Signals::stopRequested()) {
            ::usleep(1000);
        }
        told = ::write(ready[1], "2", 1);
        ::sleep(60);
        ::_exit(0);
    }
    ::close(ready[1]);
    for (char byte = 0; ::read(ready[0], &byte, 1) == 1;) {
        ::kill(pid, SIGINT);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(ready[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
    EXPECT_EQ(folder.names(), "");
}

TEST(Signals, RequestedStopKeepsTheFirstReasonAndLeavesTheProcessRunning) {
    Signals::requestStop(SIGTERM);
    Signals::requestStop(SIGINT);
    EXPECT_TRUE(Signals::stopRequested());
    EXPECT_EQ(Signals::stopSignal(), SIGTERM);
    Signals::reset();
}

}  // namespace
}  // namespace ovantis::sys
