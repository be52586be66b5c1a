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

// "ok", or why the text could not be saved.
std::string save(const std::string& path, const std::string& text) {
    OutputFile file(path);
    return file.open() && file.write(text) && file.commit() ? "ok" : file.error();
}

struct stat statOf(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

TEST(OutputFile, ReplacementKeepsTheModeAndNewFilesFollowTheUmask) {
    TempFolder folder;
    const mode_t oldMask = ::umask(027);
    for (const mode_t mode : {0600, 0755, 0444, 0}) {  // 0: a new file
        SCOPED_TRACE(mode);
        const std::string path = folder / "out.txt";
        std::filesystem::remove(path);
        if (mode != 0) {
            writeAll(path, "old");
            ::chmod(path.c_str(), mode);
        }
        ASSERT_EQ(save(path, "new"), "ok");
        EXPECT_EQ(readAll(path), "new");
        EXPECT_EQ(statOf(path).st_mode & 07777, mode != 0 ? mode : 0640);
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
        ASSERT_EQ(save(folder / "links/out.txt", "new"), "ok");
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
    ASSERT_EQ(save(folder / "a.txt", "new"), "ok");
    EXPECT_EQ(readAll(folder / "b.txt"), "new");
    EXPECT_EQ(statOf(folder / "a.txt").st_ino, statOf(folder / "b.txt").st_ino);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST(OutputFile, LongestNamesWorkAndBadTargetsGiveTheSystemsReason) {
    TempFolder folder;
    ASSERT_EQ(save(folder / std::string(250, 'n'), "new"), "ok");
    EXPECT_EQ(readAll(folder / std::string(250, 'n')), "new");
    std::filesystem::remove(folder / std::string(250, 'n'));
    std::filesystem::create_directory(folder / "dir");
    for (const auto& [path, reason] :
         {std::pair<std::string, const char*>{folder / "dir", "Is a directory"},
          {folder / "missing/out.txt", "No such file or directory"},
          {folder / std::string(256, 'n'), "File name too long"}}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(save(path, "new"), "cannot write " + path + ": " + reason);
    }
    EXPECT_EQ(folder.names(), std::set<std::string>{"dir"});
}

// ovantis-cli -o /dev/stdout, its output a pipe or appended to a log.
TEST(OutputFile, StandardOutputByNameReachesStandardOutput) {
    TempFolder folder;
    writeAll(folder / "log", "before\n");
    for (const bool toPipe : {true, false}) {
        SCOPED_TRACE(toPipe ? "pipe" : "appended file");
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const int target = toPipe ? fds[1] : ::open((folder / "log").c_str(), O_WRONLY | O_APPEND);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(target, STDOUT_FILENO);
            ::_exit(save("/dev/stdout", "after\n") == "ok" ? 0 : 1);
        }
        int status = -1;
        ::waitpid(pid, &status, 0);
        EXPECT_EQ(status, 0);
        ::close(fds[1]);
        std::string received(16, '\0');
        received.resize(std::max<ssize_t>(0, ::read(fds[0], received.data(), received.size())));
        EXPECT_EQ(toPipe ? received : readAll(folder / "log"),
                  toPipe ? "after\n" : "before\nafter\n");
        ::close(fds[0]);
        ::close(target);
    }
}

TEST(OutputFile, FifoAndDeviceNodeAreWrittenThroughAndStayNodes) {
    TempFolder folder;
    const std::string fifo = folder / "fifo", node = folder / "null";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readAll(fifo); });
    EXPECT_EQ(save(fifo, "through the pipe\n"), "ok");
    reader.join();
    EXPECT_EQ(received, "through the pipe\n");
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_EQ(folder.names(), std::set<std::string>{"fifo"});
    if (::geteuid() != 0 || ::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "making a device node needs root: " << std::strerror(errno);
    }
    ASSERT_EQ(save(node, std::string(100000, 'x')), "ok");
    EXPECT_TRUE(S_ISCHR(statOf(node).st_mode));
    EXPECT_EQ(folder.names(), (std::set<std::string>{"fifo", "null"}));
}

TEST(OutputFile, FullDiskKeepsTheOldFile) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small file system needs root";
    }
    TempFolder folder;
    if (::mount("ovantis-test", folder.path.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount tmpfs: " << std::strerror(errno);
    }
    const std::string path = folder / "out.txt";
    writeAll(path, "old");
    EXPECT_EQ(save(path, std::string(1 << 20, 'x')),
              "cannot write " + path + ": No space left on device");
    EXPECT_EQ(readAll(path), "old");
    EXPECT_EQ(folder.names(), std::set<std::string>{"out.txt"});
    ::umount(folder.path.c_str());
}

}  // namespace
}  // namespace ovantis::sys
