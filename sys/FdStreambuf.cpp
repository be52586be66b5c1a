#include "FdStreambuf.h"

#include <cerrno>
#include <cstring>

namespace ovantis::sys {

FdStreambuf::FdStreambuf(int fd, std::size_t bufferSize) : m_fd(fd), m_buffer(bufferSize) {
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

FdStreambuf::~FdStreambuf() {
    flushBuffer();
}

bool FdStreambuf::brokenPipe() const {
    return m_error == EPIPE;
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
