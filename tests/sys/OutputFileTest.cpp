#include "OutputFile.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <thread>

#include "TempFolder.h"

namespace ovantis::sys {
namespace {

using test::readAll;
using test::TempFolder;
using test::writeAll;

bool save(const std::string& path, const std::string& text, std::string* error = nullptr) {
    OutputFile file(path);
    const bool ok = file.open() && file.write(text) && file.commit();
    if (error != nullptr) {
        *error = file.error();
    }
    return ok;
}

struct stat statOf(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

TEST(OutputFile, ReplacementKeepsTheModeAndNewFilesFollowTheUmask) {
    TempFolder folder;
    const mode_t oldMask = ::umask(027);
    struct Case {
        const char* what;
        bool exists;
        mode_t mode;
        mode_t expected;
    };
    for (const Case& c :
         {Case{"private file", true, 0600, 0600}, Case{"executable", true, 0755, 0755},
          Case{"read-only", true, 0444, 0444}, Case{"new file", false, 0, 0640}}) {
        SCOPED_TRACE(c.what);
        const std::string path = folder / "out.txt";
        std::filesystem::remove(path);
        if (c.exists) {
            writeAll(path, "old");
            ::chmod(path.c_str(), c.mode);
        }
        ASSERT_TRUE(save(path, "new"));
        EXPECT_EQ(readAll(path), "new");
        EXPECT_EQ(statOf(path).st_mode & 07777, c.expected);
        EXPECT_EQ(folder.names(), std::set<std::string>{"out.txt"}) << "a temporary file is left";
    }
    ::umask(oldMask);
}

TEST(OutputFile, SymbolicLinkStaysALinkAndItsTargetGetsTheContent) {
    for (const bool targetExists : {true, false}) {
        SCOPED_TRACE(targetExists ? "existing target" : "dangling link");
        TempFolder folder;
        std::filesystem::create_directory(folder / "data");
        std::filesystem::create_directory(folder / "links");
        if (targetExists) {
            writeAll(folder / "data/real.txt", "old");
        }
        std::filesystem::create_symlink("../data/real.txt", folder / "links/out.txt");
        ASSERT_TRUE(save(folder / "links/out.txt", "new"));
        EXPECT_EQ(std::filesystem::read_symlink(folder / "links/out.txt"), "../data/real.txt");
        EXPECT_EQ(readAll(folder / "data/real.txt"), "new");
        EXPECT_EQ(folder.names(), (std::set<std::string>{"data", "links"}));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "data"), {}), 1);
    }
}

TEST(OutputFile, EveryHardLinkSeesTheNewContent) {
    TempFolder folder;
    writeAll(folder / "a.txt", "old content, longer than the new");
    std::filesystem::create_hard_link(folder / "a.txt", folder / "b.txt");
    ASSERT_TRUE(save(folder / "a.txt", "new"));
    EXPECT_EQ(readAll(folder / "b.txt"), "new");
    EXPECT_EQ(statOf(folder / "a.txt").st_ino, statOf(folder / "b.txt").st_ino);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST(OutputFile, LongestFileNamesWork) {
    TempFolder folder;
    const std::string path = folder / std::string(250, 'n');
    ASSERT_TRUE(save(path, "new"));
    EXPECT_EQ(readAll(path), "new");
}

TEST(OutputFile, BadTargetsGiveTheSystemsReason) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "dir");
    struct Case {
        std::string path;
        const char* reason;
    };
    for (const Case& c : {Case{folder / "dir", "Is a directory"},
                          Case{folder / "missing/out.txt", "No such file or directory"},
                          Case{folder / std::string(256, 'n'), "File name too long"}}) {
        SCOPED_TRACE(c.path);
        std::string error;
        EXPECT_FALSE(save(c.path, "new", &error));
        EXPECT_EQ(error, "cannot write " + c.path + ": " + c.reason);
    }
    EXPECT_EQ(folder.names(), std::set<std::string>{"dir"});
}

TEST(OutputFile, FifoIsWrittenThrough) {
    TempFolder folder;
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readAll(fifo); });
    const bool saved = save(fifo, "through the pipe\n");
    reader.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(received, "through the pipe\n");
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_EQ(folder.names(), std::set<std::string>{"fifo"});
}

// ovantis-cli -o /dev/stdout, its output a pipe or appended to a log.
TEST(OutputFile, StandardOutputByNameReachesStandardOutput) {
    TempFolder folder;
    const std::string log = folder / "log";
    writeAll(log, "before\n");
    for (const bool toPipe : {true, false}) {
        SCOPED_TRACE(toPipe ? "pipe" : "appended file");
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const int target = toPipe ? fds[1] : ::open(log.c_str(), O_WRONLY | O_APPEND);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(target, STDOUT_FILENO);
            ::_exit(save("/dev/stdout", "after\n") ? 0 : 1);
        }
        ::close(fds[1]);
        if (!toPipe) {
            ::close(target);
        }
        std::string received;
        char buffer[256];
        for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
            received.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(fds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(toPipe ? received : readAll(log), toPipe ? "after\n" : "before\nafter\n");
    }
}

TEST(OutputFile, DeviceNodeIsWrittenThroughAndStaysANode) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making a device node needs root";
    }
    TempFolder folder;
    const std::string node = folder / "null";
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "mknod refused: " << std::strerror(errno);
    }
    ASSERT_TRUE(save(node, std::string(100000, 'x')));
    EXPECT_TRUE(S_ISCHR(statOf(node).st_mode));
    EXPECT_EQ(folder.names(), std::set<std::string>{"null"});
}

TEST(OutputFile, FullDiskKeepsTheOldFile) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small file system needs root";
    }
    TempFolder folder;
    if (::mount("ovantis-test", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount tmpfs: " << std::strerror(errno);
    }
    const std::string path = folder / "out.txt";
    writeAll(path, "old");
    std::string error;
    EXPECT_FALSE(save(path, std::string(1 << 20, 'x'), &error));
    EXPECT_EQ(error, "cannot write " + path + ": No space left on device");
    EXPECT_EQ(readAll(path), "old");
    EXPECT_EQ(folder.names(), std::set<std::string>{"out.txt"});
    ::umount(folder.path().c_str());
}

}  // namespace
}  // namespace ovantis::sys
