#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace ovantis::cli {

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path)) {}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::fail(const std::string& what) {
    m_error = what + ": " + std::strerror(errno);
}

bool AtomicFile::open() {
    const std::size_t slash = m_path.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : m_path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? m_path : m_path.substr(slash + 1);
    std::string pattern = dir + "." + name + ".tmp-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    m_fd = ::mkstemp(buffer.data());
    if (m_fd < 0) {
        fail("cannot create a file in " + (dir.empty() ? std::string(".") : dir));
        return false;
    }
    m_tempPath = buffer.data();
    // mkstemp makes the file private; give it the mode a plain new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_fd, 0666 & ~mask);
    return true;
}

bool AtomicFile::commit() {
    if (m_fd < 0) {
        return false;
    }
    const bool synced = ::fsync(m_fd) == 0 || errno == EINVAL;
    if (!synced) {
        fail("cannot write " + m_path);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && synced) {
        fail("cannot write " + m_path);
        discard();
        return false;
    }
    if (!synced) {
        discard();
        return false;
    }
    if (::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        fail("cannot replace " + m_path);
        discard();
        return false;
    }
    m_tempPath.clear();
    return true;
}

void AtomicFile::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

}  // namespace ovantis::cli
