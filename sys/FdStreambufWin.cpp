#include "FdStreambuf.h"

#include <windows.h>

#include <io.h>

#include <algorithm>
#include <cerrno>

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

}  // namespace ovantis::sys
