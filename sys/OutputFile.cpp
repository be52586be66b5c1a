#include "OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

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

// Creates a fresh short name in dir with create(name), which returns false and
// sets errno on failure. The name is handed to Signals before it can exist, so
// no signal leaves it behind; a fixed short length never makes a valid target
// name fail for being too long.
bool withFreshName(const std::string& dir, std::string& name, int& slot, const auto& create) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static thread_local std::minstd_rand generator{std::random_device{}()};
    sigset_t stopSignals;
    sigset_t previous;
    sigemptyset(&stopSignals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        sigaddset(&stopSignals, signal);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = dir + "/.ovantis-";
        for (int i = 0; i < 6; ++i) {
            candidate += kLetters[generator() % (sizeof kLetters - 1)];
        }
        ::pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);
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

}  // namespace

OutputFile::OutputFile(std::string path) : m_path(std::move(path)) {}

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::fail() {
    const int error = errno;
    m_error = std::strerror(error);
    return false;
}

bool OutputFile::open() {
    discard();
    m_error.clear();
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
        m_targetFd = ::open(m_target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (m_targetFd < 0) {
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
    if (m_mode == Mode::Replace && exists) {
        // Owner first: a change of owner clears set-id bits, which never carry over.
        if (::fchown(m_fd, info.st_uid, info.st_gid) == 0) {
            ::fchmod(m_fd, info.st_mode & 0777);
        } else if (errno == EPERM) {
            // Only the file itself keeps another's owner or group.
            dropTemporary();
            m_mode = Mode::InPlace;
        } else {
            return failAndDiscard();
        }
    }
    if (m_mode == Mode::InPlace && !openStaging()) {
        return failAndDiscard();
    }
    return true;
}

bool OutputFile::failAndDiscard() {
    fail();
    discard();
    return false;
}

// Where in-place output gathers until complete: beside the target, else in
// the temporary folder. It needs no name, so a named one loses it at once.
bool OutputFile::openStaging() {
    const char* tmp = std::getenv("TMPDIR");
    for (const std::string& dir : {m_dir, std::string(tmp != nullptr && *tmp ? tmp : "/tmp")}) {
        if (openTemporary(dir)) {
            if (!m_tempPath.empty()) {
                ::unlink(m_tempPath.c_str());
                forgetTemporary();
            }
            return true;
        }
    }
    return false;
}

bool OutputFile::openTemporary(const std::string& dir) {
#ifdef O_TMPFILE
    // A file without a name until commit: nothing to leave behind, whatever ends
    // the program. Linking it later needs /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
        m_fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            return true;
        }
    }
#endif
    return withFreshName(dir, m_tempPath, m_cleanupSlot, [this](const std::string& name) {
        m_fd = ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_NOCTTY | O_CLOEXEC, 0666);
        return m_fd >= 0;
    });
}

bool OutputFile::nameTemporary() {
    const std::string procPath = "/proc/self/fd/" + std::to_string(m_fd);
    return withFreshName(m_dir, m_tempPath, m_cleanupSlot, [&](const std::string& name) {
        if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        if (errno == EEXIST) {
            return false;
        }
        return ::linkat(m_fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
    });
}

bool OutputFile::write(std::string_view bytes) {
    if (m_fd < 0) {
        errno = EBADF;
        // Keep the reason open() gave.
        return m_error.empty() ? fail() : false;
    }
    return FdStreambuf::writeFd(m_fd, bytes.data(), bytes.size(), true) || fail();
}

bool OutputFile::commit() {
    if (m_fd < 0) {
        errno = EBADF;
        // Keep the reason open() gave.
        return m_error.empty() ? fail() : false;
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
    if (::fsync(m_fd) != 0 && errno != EINVAL) {
        return failAndDiscard();
    }
    if (m_tempPath.empty() && !nameTemporary()) {
        return failAndDiscard();
    }
    const int fd = m_fd;
    m_fd = -1;
    if ((::close(fd) != 0 && errno != EINTR) ||
        ::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        return failAndDiscard();
    }
    forgetTemporary();
    discard();
    // The rename itself survives a power cut only once the folder is synced.
    const int dir = ::open(m_dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool OutputFile::copyIntoTarget() {
    const off_t size = ::lseek(m_fd, 0, SEEK_END);
    if (size < 0) {
        return fail();
    }
    const int target = m_targetFd;
    // Reserving the space first keeps the old content whole when the disk is
    // full; overwriting, not truncating, keeps the reservation.
    int reserved = 0;
    do {
        reserved = size > 0 ? ::fallocate(target, FALLOC_FL_KEEP_SIZE, 0, size) : 0;
    } while (reserved != 0 && errno == EINTR);
    if (reserved != 0 && errno != EOPNOTSUPP && errno != ENOSYS) {
        return fail();
    }
    std::vector<char> buffer(1 << 16);
    off_t offset = 0;
    bool ok = ::lseek(target, 0, SEEK_SET) == 0;
    while (ok && offset < size) {
        const ssize_t got = ::pread(m_fd, buffer.data(), buffer.size(), offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got == 0) {
            errno = EIO;
        }
        ok = got > 0 &&
             FdStreambuf::writeFd(target, buffer.data(), static_cast<std::size_t>(got), false);
        offset += got;
    }
    ok = ok && ::ftruncate(target, size) == 0 && (::fsync(target) == 0 || errno == EINVAL);
    struct stat info {};
    if (ok && ::fstat(target, &info) == 0 && (info.st_mode & (S_ISUID | S_ISGID)) != 0) {
        // Privileged writes keep set-id bits; new content never inherits them.
        ::fchmod(target, info.st_mode & 0777);
    }
    if (!ok) {
        fail();
    }
    m_targetFd = -1;
    if (::close(target) != 0 && errno != EINTR && ok) {
        ok = fail();
    }
    return ok;
}

void OutputFile::forgetTemporary() {
    Signals::forget(m_cleanupSlot);
    m_cleanupSlot = -1;
    m_tempPath.clear();
}

void OutputFile::dropTemporary() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        forgetTemporary();
    }
}

void OutputFile::discard() {
    dropTemporary();
    if (m_targetFd >= 0) {
        ::close(m_targetFd);
        m_targetFd = -1;
    }
}

}  // namespace ovantis::sys
