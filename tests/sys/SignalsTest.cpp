#include "Signals.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <functional>

#include "OutputFile.h"
#include "TempFolder.h"

namespace ovantis::sys {
namespace {

using test::readAll;
using test::TempFolder;
using test::writeAll;

// A forked child running body; it tells the parent "ready" through a pipe.
class Child {
  public:
    explicit Child(const std::function<int(int readyFd)>& body) {
        int fds[2];
        if (::pipe(fds) != 0) {
            ADD_FAILURE() << "pipe";
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            Signals::reset();
            Signals::install();
            ::_exit(body(fds[1]));
        }
        ::close(fds[1]);
        m_ready = fds[0];
    }
    ~Child() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_ready);
    }

    // Waits up to 10 s for the child's next "ready" byte.
    bool ready() {
        pollfd in{m_ready, POLLIN, 0};
        char byte = 0;
        return ::poll(&in, 1, 10000) == 1 && ::read(m_ready, &byte, 1) == 1;
    }
    void send(int signal) { ::kill(m_pid, signal); }
    // The exit status, or -1 if it did not exit by itself within the time.
    int exitStatus(int withinMs) {
        int status = 0;
        for (int waited = 0; ::waitpid(m_pid, &status, WNOHANG) == 0; waited += 5) {
            if (waited > withinMs) {
                return -1;
            }
            ::usleep(5000);
        }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t m_pid = -1;
    int m_ready = -1;
};

void tell(int fd) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t sent = ::write(fd, &byte, 1);
}

void sleepUntilStopped() {
    while (!Signals::stopRequested()) {
        ::usleep(1000);
    }
}

TEST(Signals, EachStopSignalEndsTheRunWithoutLeftovers) {
    for (int signal : {SIGHUP, SIGQUIT, SIGTERM, SIGINT}) {
        SCOPED_TRACE(::strsignal(signal));
        TempFolder folder;
        const std::string path = folder / "out.txt";
        writeAll(path, "old");
        Child child([&](int readyFd) {
            OutputFile file(path);
            if (!file.open() || !file.write("partial")) {
                return 1;
            }
            tell(readyFd);
            sleepUntilStopped();
            return 128 + Signals::stopSignal();
        });
        ASSERT_TRUE(child.ready());
        child.send(signal);
        EXPECT_EQ(child.exitStatus(10000), 128 + signal);
        EXPECT_EQ(readAll(path), "old");
        EXPECT_EQ(folder.names(), std::set<std::string>{"out.txt"});
    }
}

TEST(Signals, SecondInterruptEndsAStuckRunAtOnceAndRemovesItsTemporaryFile) {
    TempFolder folder;
    const std::string pending = folder / ".ovantis-pending";
    writeAll(pending, "partial");
    Child child([&](int readyFd) {
        Signals::removeOnExit(pending.c_str());
        tell(readyFd);
        sleepUntilStopped();
        tell(readyFd);
        // Winding down takes far too long.
        ::sleep(60);
        return 0;
    });
    ASSERT_TRUE(child.ready());
    child.send(SIGINT);
    ASSERT_TRUE(child.ready());
    child.send(SIGINT);
    EXPECT_EQ(child.exitStatus(5000), 130);
    EXPECT_TRUE(folder.names().empty());
}

}  // namespace
}  // namespace ovantis::sys
