#include "InputFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#ifdef _WIN32
#include "WinText.h"
#endif

namespace ovantis::sys {

std::optional<SystemReason> readFile(const std::string& path, std::size_t limit,
                                     std::string& text) {
    text.clear();
    errno = 0;
#ifdef _WIN32
    std::FILE* opened = _wfopen(toWide(path).c_str(), L"rb");
#else
    std::FILE* opened = std::fopen(path.c_str(), "rb");
#endif
    if (opened == nullptr) {
        return SystemReason::system(errno != 0 ? errno : ENOENT);
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened, &std::fclose);
    char buffer[64 * 1024];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (got > limit - text.size()) {
            text.clear();
            return SystemReason::system(EFBIG);
        }
        text.append(buffer, got);
        if (got < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        text.clear();
        return SystemReason::system(errno != 0 ? errno : EIO);
    }
    return std::nullopt;
}

}  // namespace ovantis::sys
