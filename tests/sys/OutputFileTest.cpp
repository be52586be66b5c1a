#include "OutputFile.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <cstring>

#include "FaultPoints.h"
#include "ReasonText.h"
#include "Signals.h"
#include "TempFolder.h"

namespace ovantis::sys {
namespace {

using test::readAll;
using test::TempFolder;

// Saves content to path; the error, or "".
std::string saveNew(const std::string& path, const std::string& content = "new") {
    OutputFile file(path);
    return file.open() && file.write(content) && file.commit()
               ? ""
               : systemWords(file.error(), Language::English);
}

// Mounts a small ext2 image (a file system without fallocate) on folder "d".
bool mountExt2(const TempFolder& folder) {
    return ::geteuid() == 0 &&
           folder.sh(
               "mkdir d; dd if=/dev/zero of=e2.img bs=1k count=2048 2>/dev/null && "
               "mkfs.ext2 -q -F e2.img && mount -o loop e2.img d && echo ok") == "ok\n";
}

// Each row prepares a fresh folder in the shell, saves "new" to a path in it,
// then lists the folder (type, mode, links, name, link target) and reads the
// file that should now hold "new". Nothing temporary may be left behind.
TEST(OutputFile, EachKindOfTargetGetsTheContentOrTheSystemsReason) {
    const std::string longest(250, 'n'), tooLong(256, 'n');
    const std::string links =
        "d750 2 data\nf640 1 data/real\nd750 2 links\nl777 1 links/out ../data/real\n";
    struct Case {
        std::string setup, target;
        const char* reason;  // why nothing could be saved, or nullptr
        std::string listing, holder;
    } const cases[] = {
        {"", "out", nullptr, "f640 1 out\n", "out"},  // a new file follows the umask
        {"echo old > out; chmod 600 out", "out", nullptr, "f600 1 out\n", "out"},
        {"echo old > out; chmod 444 out", "out", nullptr, "f444 1 out\n", "out"},
        {"echo old > out; chmod 6755 out", "out", nullptr, "f755 1 out\n", "out"},
        {"echo old > out; chmod 4755 out; ln out b", "out", nullptr, "f755 2 b\nf755 2 out\n", "b"},
        {"echo old, longer than new > out; ln out b", "out", nullptr, "f640 2 b\nf640 2 out\n",
         "b"},
        {"mkdir data links; echo old > data/real; ln -s ../data/real links/out", "links/out",
         nullptr, links, "data/real"},
        {"mkdir data links; ln -s ../data/real links/out", "links/out", nullptr, links,
         "data/real"},  // dangling
        {"", longest, nullptr, "f640 1 " + longest + "\n", longest},
        {"mkdir dir", "dir", "Is a directory", "d750 2 dir\n", ""},
        {"", "missing/out", "No such file or directory", "", ""},
        {"", tooLong, "File name too long", "", ""},
    };
    const auto listing = [](const TempFolder& folder) {
        return folder.sh("find . -mindepth 1 -printf '%y%m %n %P %l\\n' | sed 's/ $//' | sort -k3");
    };
    const mode_t oldMask = ::umask(027);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup + " > " + c.target.substr(0, 20));
        TempFolder folder;
        folder.sh(c.setup);
        EXPECT_EQ(saveNew(folder / c.target), c.reason ? c.reason : "");
        EXPECT_EQ(listing(folder), c.listing);
        EXPECT_EQ(readAll(folder / c.holder), c.reason ? "" : "new");
    }
    // A file system without unnamed files (vfat, NFS) gets a named
    // temporary: the same mode, nothing left beside.
    TempFolder folder;
    FaultPoints::failAt("open", EOPNOTSUPP);
    EXPECT_EQ(saveNew(folder / "out"), "");
    FaultPoints::disarm();
    EXPECT_EQ(listing(folder), "f640 1 out\n");
    ::umask(oldMask);
}

// Where the new content cannot take the target's place (a file bind-mounted
// over it: EBUSY; a file system without owners: fchown's ENOSYS), the target
// itself is rewritten, as > would write it.
TEST(OutputFile, WhatCannotBeReplacedIsRewrittenInPlace) {
    for (const auto& [step, error] : {std::pair{"rename", EBUSY}, std::pair{"fchown", ENOSYS}}) {
        SCOPED_TRACE(step);
        TempFolder folder;
        const std::string inode = folder.sh("echo old > out; stat -c %i out");
        FaultPoints::failAt(step, error);
        EXPECT_EQ(saveNew(folder / "out"), "");
        FaultPoints::disarm();
        EXPECT_EQ(readAll(folder / "out"), "new");
        EXPECT_EQ(folder.sh("ls -A; stat -c %i out"), "out\n" + inode);
    }
    TempFolder folder;
    if (folder.sh("echo old > t; echo src > s; mount --bind s t 2>/dev/null && echo ok") !=
        "ok\n") {
        GTEST_SKIP() << "bind mounts need root";
    }
    EXPECT_EQ(saveNew(folder / "t"), "");
    EXPECT_EQ(folder.sh("cat t s; umount t; ls -A"), "newnews\nt\n");
}

// A chain of links is followed as far as the shell's > follows it, and the
// caller's descriptors are left alone (a new file has no old one to close).
TEST(OutputFile, FollowsAsManyLinksAsTheShellAndClosesOnlyItsOwn) {
    TempFolder folder;
    folder.sh("echo old > real; p=real; for i in $(seq 41); do ln -s $p l$i; p=l$i; done");
    EXPECT_EQ(saveNew(folder / "l40"), "");
    EXPECT_EQ(readAll(folder / "real"), "new");
    EXPECT_EQ(saveNew(folder / "l41"), "Too many levels of symbolic links");
    EXPECT_EQ(saveNew(folder / "fresh"), "");
    EXPECT_NE(::fcntl(STDERR_FILENO, F_GETFD), -1) << "standard error was closed";
}

// In place, no byte of the old content is overwritten before the whole new
// content has its space, even without fallocate (ext2: the file grows first,
// holes filled): a disk too full keeps the old file whole.
TEST(OutputFile, InPlaceOnAFullDiskKeepsTheOldContent) {
    const std::tuple<std::string, int, bool> cases[] = {
        {"yes OLD | head -c 600000 > d/out", 1000000, false},
        {"truncate -s 1500000 d/out; echo OLD | dd of=d/out conv=notrunc", 1000000, false},
        {"yes OLD | head -c 300000 > d/out", 600000, true}};
    for (const auto& [setup, size, fits] : cases) {
        SCOPED_TRACE(setup);
        TempFolder folder;
        if (!mountExt2(folder)) {
            GTEST_SKIP() << "mounting a loop device needs root";
        }
        const std::string before = folder.sh(setup + " 2>/dev/null; ln d/out d/link; cat d/out");
        OutputFile file(folder / "d/out");
        EXPECT_EQ(file.open() && file.write(std::string(size, 'n')) && file.commit(), fits);
        EXPECT_EQ(file.error(), fits ? 0 : ENOSPC);
        EXPECT_EQ(readAll(folder / "d/link"), fits ? std::string(size, 'n') : before);
        EXPECT_EQ(folder.sh("ls -A d; umount d"), "link\nlost+found\nout\n");
    }
}

// Each step of a write fails in turn (EIO, EPERM), or is where a stop comes:
// the target then holds exactly the old content or exactly the new, with its
// ACL, attributes and mode, the call says which, and nothing else is left. A
// replacement that cannot carry something is written in place. A stop keeps
// the old file up to the step that puts the new one in place (the rename, or
// in place the first byte copied).
TEST(OutputFile, EveryFailingOrStoppedStepKeepsTheOldFileOrPutsTheWholeNewOne) {
    if (TempFolder().sh("touch f; setfacl -m u:nobody:rw f && setfattr -n user.a f && echo ok") !=
        "ok\n") {
        std::cout << "no setfacl, setfattr (packages acl, attr) or no ACLs: ACLs not tried\n";
    }
    const std::string attributes = "; setfattr -n user.note -v kept out 2>&1";
    const std::tuple<bool, std::string, std::string> paths[] = {
        {false, "echo old > out; chmod 640 out; setfacl -m u:nobody:rw out", "rename"},
        {false, "setfacl -d -m u:nobody:r .; echo old > out; setfacl -b out", "rename"},
        {false, "echo old > out; ln out link", "read staged"},
        {true, "echo old > out; ln out link", "read staged"}};
    std::size_t points = 0;
    for (const auto& [ext2, setup, turn] : paths) {
        TempFolder folder;
        if (ext2 && !mountExt2(folder)) {
            std::cout << "no ext2 (needs root and loop devices): its steps are not tried\n";
            continue;
        }
        const std::string out = folder / (ext2 ? "d/out" : "out");
        const std::string cd = ext2 ? "cd d; " : "";
        const auto state = [&] {
            return folder.sh(cd + "getfacl -c out; getfattr -d out; stat -c %A out; ls -A 2>&1");
        };
        const auto prepare = [&, &setup = setup] {
            folder.sh(cd + "rm -rf out link; setfacl -k . 2>&1; " + setup + attributes);
            return state();
        };
        prepare();
        FaultPoints::failAt(0, 0);
        ASSERT_EQ(saveNew(out, "new content\n"), "");
        const std::vector<std::string> steps = FaultPoints::passed();
        const auto firstNew = std::find(steps.begin(), steps.end(), turn) - steps.begin() + 1;
        ASSERT_LE(firstNew, static_cast<long>(steps.size())) << turn << " is one of the steps";
        points += steps.size();
        for (const int error : {EIO, EPERM, 0}) {  // 0: a stop
            for (int at = 1; at <= static_cast<int>(steps.size()); ++at) {
                SCOPED_TRACE(setup + ": " + std::to_string(error) + " at " + steps[at - 1] + " #" +
                             std::to_string(at));
                const std::string before = prepare();
                error != 0 ? FaultPoints::failAt(at, error) : FaultPoints::stopAt(at, SIGTERM);
                const std::string reason = saveNew(out, "new content\n");
                FaultPoints::disarm();
                Signals::reset();
                EXPECT_EQ(readAll(out), reason.empty() ? "new content\n" : "old\n");
                EXPECT_EQ(state(), before);
                EXPECT_EQ(reason, reason.empty() ? "" : std::strerror(error != 0 ? error : EINTR));
                EXPECT_TRUE(error != 0 || reason.empty() == (at >= firstNew)) << reason;
            }
        }
        folder.sh(ext2 ? "umount d" : "");
    }
    std::cout << points << " steps, each failed twice and stopped in turn\n";
}

// Saves "new" to path as user, in a child process; the error, or "".
std::string saveAs(const passwd& user, const std::string& path) {
    int result[2];
    if (::pipe(result) != 0) {
        return "no pipe";
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::umask(022);
        const std::string error = ::setgroups(0, nullptr) != 0 ||
                                          ::setresgid(user.pw_gid, user.pw_gid, user.pw_gid) ||
                                          ::setresuid(user.pw_uid, user.pw_uid, user.pw_uid) != 0
                                      ? "cannot become the user"
                                      : saveNew(path);
        [[maybe_unused]] const ssize_t told = ::write(result[1], error.data(), error.size());
        ::_exit(0);
    }
    ::close(result[1]);
    const std::string error = readAll("/dev/fd/" + std::to_string(result[0]));
    ::close(result[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? error : "the child failed";
}

// An ordinary user ("me") saving in its own folder and in others' (root's):
// what ">" could not open is refused; what it could is written, in place
// where a rename would take the file from its owner or group.
TEST(OutputFile, AnOrdinaryUserWritesWhatTheShellWouldAndOwnersStay) {
    const passwd* user = test::testUser();
    if (user == nullptr) {
        GTEST_SKIP() << "needs root to make the user ovantis-test";
    }
    struct Case {
        std::string setup, target;
        const char* reason;  // why nothing could be saved, or nullptr
        std::string listing;
    } const cases[] = {
        {"echo old > f; chown $me:$me f; chmod 444 f", "f", "Permission denied", "f444 me:me f\n"},
        {"echo old > f; chmod 644 f", "f", "Permission denied", "f644 root:root f\n"},
        {"echo old > f; chown $me:$me f; chmod 600 f", "f", nullptr, "f600 me:me f\n"},
        {"", "f", nullptr, "f644 me:me f\n"},
        {"echo old > f; chmod 666 f", "f", nullptr, "f666 root:root f\n"},
        {"echo old > f; chown $me:root f; chmod 664 f", "f", nullptr, "f664 me:root f\n"},
        {"mkdir -m 755 d; echo old > d/f; chmod 666 d/f", "d/f", nullptr,
         "d755 root:root d\nf666 root:root d/f\n"},
        {"mkdir -m 1777 t; echo old > t/f; chmod 666 t/f", "t/f", nullptr,
         "d1777 root:root t\nf666 root:root t/f\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup);
        TempFolder folder;
        folder.sh("me=ovantis-test; chown $me:$me . || exit; " + c.setup);
        EXPECT_EQ(saveAs(*user, folder / c.target), c.reason ? c.reason : "");
        EXPECT_EQ(folder.sh("find . -mindepth 1 -printf '%y%m %u:%g %P\\n' | "
                            "sed 's/ovantis-test/me/g' | sort -k3"),
                  c.listing);
        EXPECT_EQ(readAll(folder / c.target), c.reason ? "old\n" : "new");
    }
}

}  // namespace
}  // namespace ovantis::sys
