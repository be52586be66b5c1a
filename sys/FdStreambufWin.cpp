#include "FdStreambuf.h"

#include <windows.h>

#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ovantis::sys {
namespace {

// The C runtime reads a closed pipe (ERROR_NO_DATA) and a full disk
// (ERROR_HANDLE_DISK_FULL) as EINVAL, so the reasons are mapped here.
int errnoFor(DWORD error) {
    switch (error) {
        case ERROR_BROKEN_PIPE:
        case ERROR_NO_DATA:
        case ERROR_PIPE_NOT_CONNECTED:
            return EPIPE;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_INVALID_HANDLE:
            return EBADF;
        default:
            return EIO;
    }
}

}  // namespace

FdStreambuf::FdStreambuf(int fd, std::size_t bufferSize) : m_fd(fd), m_buffer(bufferSize) {
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

FdStreambuf::~FdStreambuf() {
    flushBuffer();
}

bool FdStreambuf::brokenPipe() const {
    return m_error == EPIPE;
}

bool FdStreambuf::writeFd(int fd, const char* data, std::size_t size, bool) {
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    // Older consoles refuse large writes.
    const std::size_t most = ::GetFileType(handle) == FILE_TYPE_CHAR ? 16384 : 1 << 30;
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(handle, data, static_cast<DWORD>(std::min(size, most)), &written,
                         nullptr)) {
            errno = errnoFor(::GetLastError());
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool FdStreambuf::flushBuffer() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return writeAll(m_buffer.data(), pending);
}

FdStreambuf::int_type FdStreambuf::overflow(int_type ch) {
    if (!flushBuffer()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int FdStreambuf::sync() {
    return flushBuffer() ? 0 : -1;
}

std::streamsize FdStreambuf::xsputn(const char* data, std::streamsize count) {
    const auto size = static_cast<std::size_t>(count);
    if (size <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), data, size);
        pbump(static_cast<int>(count));
        return count;
    }
    if (!flushBuffer()) {
        return 0;
    }
    if (size >= m_buffer.size()) {
        return writeAll(data, size) ? count : 0;
    }
    std::memcpy(pptr(), data, size);
    pbump(static_cast<int>(count));
    return count;
}

}  // namespace ovantis::sys
