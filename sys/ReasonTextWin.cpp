#include <windows.h>

#include <cerrno>

#include "ReasonText.h"
#include "ReasonTexts.h"
#include "WinText.h"

namespace ovantis::sys {
namespace {

// The listed texts are keyed by errno; the codes a result file or a launch
// meets most, so that a system without words in the language still says why.
int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_BAD_EXE_FORMAT:
            return ENOEXEC;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_INVALID_HANDLE:
            return EBADF;
        default:
            return 0;
    }
}

bool holdsChinese(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c >= 0x4E00 && c <= 0x9FFF) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string systemWords(int error, Language language) {
    const DWORD code = static_cast<DWORD>(error);
    const LANGID id = language == Language::Chinese
                          ? MAKELANGID(LANG_CHINESE_SIMPLIFIED, SUBLANG_CHINESE_SIMPLIFIED)
                          : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    wchar_t buffer[512];
    DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         id, buffer, sizeof buffer / sizeof buffer[0], nullptr);
    while (length > 0 && (buffer[length - 1] == L'\n' || buffer[length - 1] == L'\r' ||
                          buffer[length - 1] == L' ' || buffer[length - 1] == L'.' ||
                          buffer[length - 1] == L'\x3002')) {
        --length;
    }
    const std::wstring_view words(buffer, length);
    if (length > 0 && (language == Language::English || holdsChinese(words))) {
        return toUtf8(words);
    }
    const Text* listed = reasons::errorText(errnoOf(code));
    return listed != nullptr ? listed->in(language)
                             : reasons::kSystemError.fill(language, {std::to_string(code)});
}

}  // namespace ovantis::sys
