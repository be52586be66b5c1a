#pragma once

#include <cerrno>
#include <streambuf>
#include <vector>

namespace ovantis::sys {

// A large-buffered stream buffer over a file descriptor that remembers why a
// write failed, so a closed pipe can be told from a real I/O error. A write
// blocked on a reader gives up (EINTR) once a stop is requested.
class FdStreambuf : public std::streambuf {
  public:
    explicit FdStreambuf(int fd, std::size_t bufferSize = 1 << 20);
    ~FdStreambuf() override;
    FdStreambuf(const FdStreambuf&) = delete;
    FdStreambuf& operator=(const FdStreambuf&) = delete;

    int error() const { return m_error; }
    bool brokenPipe() const;

    // Writes all of data to fd; false with errno set when it could not. A
    // stoppable write (to a pipe or FIFO that may never be read) gives up with
    // EINTR once a stop is asked for; a final copy into a file always completes.
    static bool writeFd(int fd, const char* data, std::size_t size, bool stoppable);

  protected:
    int_type overflow(int_type ch) override;
    int sync() override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;

  private:
    bool flushBuffer();
    // Writes data unless an earlier write failed; false once one has.
    bool writeAll(const char* data, std::size_t size) {
        if (m_error == 0 && !writeFd(m_fd, data, size, true)) {
            m_error = errno;
        }
        return m_error == 0;
    }

    int m_fd;
    std::vector<char> m_buffer;
    int m_error = 0;
};

}  // namespace ovantis::sys
