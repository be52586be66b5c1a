#include "OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <linux/magic.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "FaultPoints.h"
#include "FdStreambuf.h"
#include "Signals.h"

namespace ovantis::sys {
namespace {

// Follows symbolic links on the last component by hand, so a link whose target
// does not exist yet still leads to the name to create. Up to 40 links, as
// many as the kernel follows for the shell's >.
bool resolveLinks(const std::string& path, std::string& target) {
    std::string current = path;
    for (int hops = 0; hops <= 40; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return false;
            }
            target = current;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (length < 0) {
            return false;
        }
        if (static_cast<std::size_t>(length) >= sizeof buffer) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string next(buffer, static_cast<std::size_t>(length));
        const std::size_t slash = current.rfind('/');
        current = next.front() == '/' || slash == std::string::npos
                      ? next
                      : current.substr(0, slash + 1) + next;
    }
    errno = ELOOP;
    return false;
}

// The descriptor a name like /dev/stdout or /proc/self/fd/3 stands for, or -1.
int inheritedDescriptor(const std::string& path) {
    if (path == "/dev/stdout") {
        return STDOUT_FILENO;
    }
    if (path == "/dev/stderr") {
        return STDERR_FILENO;
    }
    for (const std::string_view prefix :
         {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
        if (path.size() > prefix.size() && path.size() <= prefix.size() + 6 &&
            path.compare(0, prefix.size(), prefix) == 0 &&
            path.find_first_not_of("0123456789", prefix.size()) == std::string::npos) {
            return std::atoi(path.c_str() + prefix.size());
        }
    }
    return -1;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

constexpr auto fault = FaultPoints::fails;

// Holds back the signals that end a run, and the nudge that interrupts calls
// after one, until the mask returned is set back.
sigset_t holdStopSignals() {
    sigset_t held;
    sigset_t previous;
    sigemptyset(&held);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGALRM}) {
        sigaddset(&held, signal);
    }
    ::pthread_sigmask(SIG_BLOCK, &held, &previous);
    return previous;
}

// Creates a fresh short name in dir with create(name), which returns false and
// sets errno on failure. The name is handed to Signals before it can exist, so
// no signal leaves it behind; a fixed short length never makes a valid target
// name fail for being too long.
bool withFreshName(const std::string& dir, std::string& name, int& slot, const auto& create) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static thread_local std::minstd_rand generator{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = dir + "/.ovantis-";
        for (int i = 0; i < 6; ++i) {
            candidate += kLetters[generator() % (sizeof kLetters - 1)];
        }
        const sigset_t previous = holdStopSignals();
        const int candidateSlot = Signals::removeOnExit(candidate.c_str());
        const bool created = create(candidate);
        const int error = errno;
        if (!created) {
            Signals::forget(candidateSlot);
        }
        ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        if (created) {
            name = std::move(candidate);
            slot = candidateSlot;
            return true;
        }
        if (error != EEXIST) {
            errno = error;
            return false;
        }
    }
    errno = EEXIST;
    return false;
}

// Opening a FIFO waits for a reader: only a stop request ends the wait.
int openStoppable(const std::string& path, int flags) {
    for (;;) {
        const int fd = ::open(path.c_str(), flags);
        if (fd >= 0 || errno != EINTR || Signals::stopRequested()) {
            return fd;
        }
    }
}

// Closes fd; false with errno set when the close reports a failure.
bool closeFile(int fd) {
    if (fault("close")) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    return ::close(fd) == 0 || errno == EINTR;
}

// Makes fd's content durable; a file system that cannot is no failure.
bool syncFile(int fd) {
    int result = 0;
    do {
        result = fault("fsync") ? -1 : ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0 || errno == EINVAL;
}

// The names of fd's extended attributes; none where the file system has none.
bool attributeNames(int fd, std::vector<std::string>& names) {
    std::vector<char> list;
    for (ssize_t size = -1; size < 0;) {
        size = fault("flistxattr") ? -1 : ::flistxattr(fd, nullptr, 0);
        if (size > 0) {
            list.resize(static_cast<std::size_t>(size));
            size = ::flistxattr(fd, list.data(), list.size());
        }
        if (size < 0 && errno == EOPNOTSUPP) {
            size = 0;
        } else if (size < 0 && errno != ERANGE) {
            return false;
        }
        list.resize(static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
    }
    names.clear();
    for (std::size_t at = 0; at < list.size(); at += names.back().size() + 1) {
        names.emplace_back(list.data() + at);
    }
    return true;
}

bool attributeValue(int fd, const std::string& name, std::vector<char>& value) {
    for (ssize_t size = -1; size < 0;) {
        size = fault("fgetxattr") ? -1 : ::fgetxattr(fd, name.c_str(), nullptr, 0);
        if (size > 0) {
            value.resize(static_cast<std::size_t>(size));
            size = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
        }
        if (size < 0 && errno != ERANGE) {
            return false;
        }
        value.resize(static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
    }
    return true;
}

// Copies the old file's extended attributes (ACLs among them) onto the new
// one and drops any the new one got from its folder (a default ACL) that the
// old lacks. File capabilities, like set-id bits, never carry over.
bool copyAttributes(int from, int to) {
    std::vector<std::string> names;
    std::vector<std::string> inherited;
    if (!attributeNames(from, names) || !attributeNames(to, inherited)) {
        return false;
    }
    std::vector<char> value;
    for (const std::string& name : names) {
        if (name != "security.capability" &&
            (!attributeValue(from, name, value) || fault("fsetxattr") ||
             ::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0)) {
            return false;
        }
    }
    for (const std::string& name : inherited) {
        if (std::find(names.begin(), names.end(), name) == names.end() &&
            (fault("fremovexattr") || ::fremovexattr(to, name.c_str()) != 0)) {
            return false;
        }
    }
    return true;
}

// Gives the replacement what the old file has: owner first (a change of
// owner clears set-id bits, which never carry over), then extended
// attributes, then the mode, as an ACL's mask follows the group bits.
bool carryOver(int from, int to, const struct stat& old) {
    return !fault("fchown") && ::fchown(to, old.st_uid, old.st_gid) == 0 &&
           copyAttributes(from, to) && !fault("fchmod") && ::fchmod(to, old.st_mode & 0777) == 0;
}

bool followUmask(int fd) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return !fault("fchmod") && ::fchmod(fd, 0666 & ~mask) == 0;
}

bool writeZeros(int fd, off_t from, off_t to) {
    static const char kZeros[1 << 16] = {};
    while (from < to) {
        const ssize_t wrote =
            fault("fill") ? -1
                          : ::pwrite(fd, kZeros, std::min<off_t>(sizeof kZeros, to - from), from);
        if (wrote < 0 && errno != EINTR) {
            return false;
        }
        from += std::max<ssize_t>(wrote, 0);
    }
    return true;
}

// Makes the file system hold size bytes for fd before any is overwritten.
// Without fallocate, blocks come only with data: zeros go into holes and past
// the old end, and are synced, as a file system may only then say it is full.
// On failure the caller shrinks the file back to oldSize.
bool reserve(int fd, off_t oldSize, off_t size) {
    if (size == 0) {
        return true;
    }
    int result = 0;
    do {
        result = fault("fallocate") ? -1 : ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size);
    } while (result != 0 && errno == EINTR);
    if (result == 0 || (errno != EOPNOTSUPP && errno != ENOSYS)) {
        return result == 0;
    }
    const off_t kept = std::min(oldSize, size);
    for (off_t at = 0; at < kept;) {
        const off_t hole = ::lseek(fd, at, SEEK_HOLE);
        if (hole < 0 || hole >= kept) {
            break;
        }
        const off_t data = ::lseek(fd, hole, SEEK_DATA);
        at = data < 0 ? kept : std::min(data, kept);
        if (!writeZeros(fd, hole, at)) {
            return false;
        }
    }
    return writeZeros(fd, oldSize, size) && syncFile(fd);
}

// The user's cache folder ($XDG_CACHE_HOME, else ~/.cache), made if missing.
std::string cacheFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    const std::string dir = xdg != nullptr && *xdg == '/'     ? std::string(xdg)
                            : home != nullptr && *home == '/' ? std::string(home) + "/.cache"
                                                              : std::string();
    if (!dir.empty()) {
        ::mkdir(dir.c_str(), 0700);
    }
    return dir;
}

bool inMemory(const std::string& dir) {
    struct statfs info {};
    return ::statfs(dir.c_str(), &info) == 0 &&
           (info.f_type == TMPFS_MAGIC || info.f_type == RAMFS_MAGIC);
}

}  // namespace

// What only this system's writer holds: the existing target, open for
// writing from open() on, and whether a stop keeps the output.
struct OutputFile::Platform {
    int targetFd = -1;
    bool evenIfStopped = false;

    // True, with errno EINTR, when a stop asks to keep the old file.
    bool stopped() const;
    bool lockTarget();
    bool overwriteTarget(int from, long long size);
    static bool openStaging(OutputFile& file);
    static bool nameTemporary(OutputFile& file);
    static void dropTemporary(OutputFile& file);
};

OutputFile::OutputFile(std::string path)
    : m_path(std::move(path)), m_platform(std::make_unique<Platform>()) {}

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::fail() {
    // Never "no error" for a failure.
    m_error = errno != 0 ? errno : EIO;
    return false;
}

bool OutputFile::open() {
    discard();
    m_error = 0;
    if (m_path.empty()) {
        errno = ENOENT;
        return fail();
    }
    if (m_path.back() == '/') {
        errno = EISDIR;
        return fail();
    }
    m_mode = Mode::Direct;
    const int inherited = inheritedDescriptor(m_path);
    if (inherited >= 0) {
        // Our own output: keep the offset and append mode the shell set up.
        m_fd = ::fcntl(inherited, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        return m_fd >= 0 || fail();
    }
    struct stat info {};
    const bool exists = ::stat(m_path.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) {
        return fail();
    }
    if (exists && S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return fail();
    }
    if (exists && !S_ISREG(info.st_mode)) {
        m_fd = openStoppable(m_path, O_WRONLY | O_NOCTTY | O_CLOEXEC);
        return m_fd >= 0 || fail();
    }
    if (!resolveLinks(m_path, m_target)) {
        return fail();
    }
    struct stat targetInfo {};
    if (exists && (::stat(m_target.c_str(), &targetInfo) != 0 || targetInfo.st_ino != info.st_ino ||
                   targetInfo.st_dev != info.st_dev)) {
        // A link with no name to replace (an open file under /proc): write through it.
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
        return m_fd >= 0 || fail();
    }
    if (exists) {
        // A file the caller could not open for writing is refused, as ">"
        // refuses it, and now rather than after the whole run.
        m_platform->targetFd =
            fault("open target") ? -1 : ::open(m_target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (m_platform->targetFd < 0) {
            return fail();
        }
    }
    m_dir = directoryOf(m_target);
    m_mode = exists && info.st_nlink > 1 ? Mode::InPlace : Mode::Replace;
    if (m_mode == Mode::Replace && !openTemporary(m_dir)) {
        if (!exists || (errno != EACCES && errno != EPERM)) {
            return failAndDiscard();
        }
        // The folder takes no new name, but the file itself may be written.
        m_mode = Mode::InPlace;
    }
    // A named temporary is made private, as it holds the new content under a
    // name before it takes the old file's mode; a new file takes the umask's.
    if (m_mode == Mode::Replace && !exists && !m_tempPath.empty() && !followUmask(m_fd)) {
        return failAndDiscard();
    }
    if (m_mode == Mode::Replace && exists && !carryOver(m_platform->targetFd, m_fd, info)) {
        if (errno != EPERM && errno != EACCES && errno != EOPNOTSUPP && errno != ENOSYS) {
            return failAndDiscard();
        }
        // Only the file itself keeps what a new one cannot be given (another's
        // owner or group, an attribute).
        Platform::dropTemporary(*this);
        m_mode = Mode::InPlace;
    }
    if (m_mode == Mode::InPlace && !Platform::openStaging(*this)) {
        return failAndDiscard();
    }
    return true;
}

// Where in-place output gathers until complete: beside the target, else in
// the user's cache folder, else the temporary folder; on disk before memory.
// It needs no name, so a named one loses it at once.
bool OutputFile::Platform::openStaging(OutputFile& file) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string dirs[] = {file.m_dir, cacheFolder(), tmp != nullptr && *tmp ? tmp : "/tmp"};
    int error = ENOENT;
    for (const bool memory : {false, true}) {
        for (const std::string& dir : dirs) {
            if (dir.empty() || inMemory(dir) != memory) {
                continue;
            }
            if (memory && file.m_sizeBound > file.m_memoryBudget) {
                file.m_overBudgetIn = dir;
                errno = EFBIG;
                return false;
            }
            if (file.openTemporary(dir)) {
                if (!file.m_tempPath.empty()) {
                    ::unlink(file.m_tempPath.c_str());
                    file.forgetTemporary();
                }
                return true;
            }
            error = errno;
        }
    }
    errno = error;
    return false;
}

bool OutputFile::openTemporary(const std::string& dir) {
#ifdef O_TMPFILE
    // A file without a name until commit: nothing to leave behind, whatever ends
    // the program. Linking it later needs /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
        m_fd = fault("open") ? -1 : ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            return true;
        }
    }
#endif
    return withFreshName(dir, m_tempPath, m_cleanupSlot, [this](const std::string& name) {
        m_fd = fault("open named")
                   ? -1
                   : ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_NOCTTY | O_CLOEXEC, 0600);
        return m_fd >= 0;
    });
}

bool OutputFile::Platform::nameTemporary(OutputFile& file) {
    const std::string procPath = "/proc/self/fd/" + std::to_string(file.m_fd);
    return withFreshName(
        file.m_dir, file.m_tempPath, file.m_cleanupSlot, [&](const std::string& name) {
            if (fault("link")) {
                return false;
            }
            if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) ==
                0) {
                return true;
            }
            if (errno == EEXIST) {
                return false;
            }
            return ::linkat(file.m_fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
        });
}

bool OutputFile::write(std::string_view bytes) {
    if (m_fd < 0) {
        errno = EBADF;
        // Keep the reason open() gave.
        return m_error == 0 ? fail() : false;
    }
    return (!fault("write") && FdStreambuf::writeFd(m_fd, bytes.data(), bytes.size(), true)) ||
           fail();
}

bool OutputFile::commit(bool evenIfStopped) {
    m_platform->evenIfStopped = evenIfStopped;
    if (m_fd < 0) {
        errno = EBADF;
        // Keep the reason open() gave.
        return m_error == 0 ? fail() : false;
    }
    if (m_mode == Mode::Direct) {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 || errno == EINTR || fail();
    }
    if (m_mode == Mode::InPlace) {
        const bool copied = copyIntoTarget();
        discard();
        return copied;
    }
    if (!syncFile(m_fd) || (m_tempPath.empty() && !Platform::nameTemporary(*this))) {
        return failAndDiscard();
    }
    const int fd = m_fd;
    m_fd = -1;
    if (!closeFile(fd) || m_platform->stopped() || fault("rename") ||
        ::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        // A target no rename may replace (a file bind-mounted over another)
        // is rewritten in place, as the shell's > would write it.
        if (errno != EBUSY || m_platform->targetFd < 0 || m_platform->stopped()) {
            return failAndDiscard();
        }
        m_fd = ::open(m_tempPath.c_str(), O_RDONLY | O_CLOEXEC);
        ::unlink(m_tempPath.c_str());
        forgetTemporary();
        m_mode = Mode::InPlace;
        const bool copied = m_fd >= 0 ? copyIntoTarget() : fail();
        discard();
        return copied;
    }
    forgetTemporary();
    discard();
    // The rename itself survives a power cut only once the folder is synced.
    const int dir =
        fault("open folder") ? -1 : ::open(m_dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        syncFile(dir);
        ::close(dir);
    }
    return true;
}

bool OutputFile::Platform::stopped() const {
    if (evenIfStopped || !Signals::stopRequested()) {
        return false;
    }
    errno = EINTR;
    return true;
}

// Waits for the lock concurrent writers of the file share; a stop ends the
// wait unless the output is kept when stopped. A file system without such
// locks is written unlocked.
bool OutputFile::Platform::lockTarget() {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    for (;;) {
        if (fault("lock")) {
            return false;
        }
        if (::fcntl(targetFd, F_OFD_SETLKW, &lock) == 0 || errno == EINVAL || errno == ENOLCK ||
            errno == EOPNOTSUPP) {
            return true;
        }
        if (errno != EINTR || stopped()) {
            return false;
        }
    }
}

bool OutputFile::copyIntoTarget() {
    const off_t size = fault("lseek") ? -1 : ::lseek(m_fd, 0, SEEK_END);
    struct stat old {};
    if (size < 0 || !m_platform->lockTarget() || fault("fstat") ||
        ::fstat(m_platform->targetFd, &old) != 0) {
        return fail();
    }
    const int target = m_platform->targetFd;
    const auto shrinkBack = [&] {
        const int error = errno;
        [[maybe_unused]] const int ignored = ::ftruncate(target, old.st_size);
        errno = error;
        return fail();
    };
    if (!reserve(target, old.st_size, size)) {
        return shrinkBack();
    }
    // A stop asked for until now keeps the old file; from here on the copy
    // runs to its end, and stop signals wait until the file is whole.
    const sigset_t previous = holdStopSignals();
    const auto release = [&](bool ok) {
        ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        return ok;
    };
    // Privileged writes keep set-id bits; new content never inherits them.
    if (m_platform->stopped() || ((old.st_mode & (S_ISUID | S_ISGID)) != 0 &&
                                  (fault("fchmod") || ::fchmod(target, old.st_mode & 0777) != 0))) {
        return release(shrinkBack());
    }
    // A step that fails in passing must not leave part old, part new.
    if (!m_platform->overwriteTarget(m_fd, size) && !m_platform->overwriteTarget(m_fd, size)) {
        return release(fail());
    }
    // Once synced the content is in place, whatever close says.
    m_platform->targetFd = -1;
    closeFile(target);
    return release(true);
}

// Copies the staged output over the start of the target and cuts the rest.
bool OutputFile::Platform::overwriteTarget(int from, long long size) {
    std::vector<char> buffer(1 << 16);
    for (off_t offset = 0; offset < size;) {
        const ssize_t got = fault("read staged")
                                ? -1
                                : ::pread(from, buffer.data(),
                                          std::min<off_t>(buffer.size(), size - offset), offset);
        if (got <= 0) {
            if (got < 0 && errno == EINTR) {
                continue;
            }
            errno = got == 0 ? EIO : errno;
            return false;
        }
        for (ssize_t put = 0; put < got;) {
            const ssize_t wrote = fault("copy")
                                      ? -1
                                      : ::pwrite(targetFd, buffer.data() + put,
                                                 static_cast<std::size_t>(got - put), offset + put);
            if (wrote < 0 && errno != EINTR) {
                return false;
            }
            put += std::max<ssize_t>(wrote, 0);
        }
        offset += got;
    }
    return !fault("ftruncate") && ::ftruncate(targetFd, size) == 0 && syncFile(targetFd);
}

void OutputFile::forgetTemporary() {
    Signals::forget(m_cleanupSlot);
    m_cleanupSlot = -1;
    m_tempPath.clear();
}

void OutputFile::Platform::dropTemporary(OutputFile& file) {
    if (file.m_fd >= 0) {
        ::close(file.m_fd);
        file.m_fd = -1;
    }
    if (!file.m_tempPath.empty()) {
        ::unlink(file.m_tempPath.c_str());
        file.forgetTemporary();
    }
}

void OutputFile::discard() {
    Platform::dropTemporary(*this);
    if (m_platform->targetFd >= 0) {
        ::close(m_platform->targetFd);
        m_platform->targetFd = -1;
    }
}

}  // namespace ovantis::sys
