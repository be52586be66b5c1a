#include "InputFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>

#include "WinText.h"
#endif

namespace ovantis::sys {
namespace {

// The reason in the system's own numbers: GetLastError's on Windows, which
// the C runtime keeps beside errno.
SystemReason lastError(int fallback) {
#ifdef _WIN32
    const auto error = static_cast<int>(_doserrno);
    return SystemReason::system(error != 0 ? error : fallback);
#else
    return SystemReason::system(errno != 0 ? errno : fallback);
#endif
}

}  // namespace

SystemReason fileTooLarge() {
#ifdef _WIN32
    return SystemReason::system(ERROR_FILE_TOO_LARGE);
#else
    return SystemReason::system(EFBIG);
#endif
}

std::optional<SystemReason> readFile(const std::string& path, std::size_t limit,
                                     std::string& text) {
    text.clear();
    errno = 0;
#ifdef _WIN32
    _doserrno = 0;
    std::FILE* opened = _wfopen(toWide(path).c_str(), L"rb");
#else
    std::FILE* opened = std::fopen(path.c_str(), "rb");
#endif
    if (opened == nullptr) {
        return lastError(ENOENT);
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened, &std::fclose);
    char buffer[64 * 1024];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (got > limit - text.size()) {
            text.clear();
            return fileTooLarge();
        }
        text.append(buffer, got);
        if (got < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        text.clear();
        return lastError(EIO);
    }
    return std::nullopt;
}

}  // namespace ovantis::sys
