#include "OutputFile.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <system_error>
#include <vector>

#include "Signals.h"
#include "SystemRandom.h"
#include "WinText.h"

namespace ovantis::sys {
namespace {

// "An operation is not supported on a directory" (missing from MinGW's headers).
constexpr DWORD kDirectoryNotSupported = 336;

HANDLE handleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// A descriptor owning handle, or -1 (the handle then closed) with the reason set.
int descriptorFor(HANDLE handle, int flags) {
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        ::SetLastError(ERROR_TOO_MANY_OPEN_FILES);
    }
    return fd;
}

// The folder part of path, with its separator, so "C:\out" gives "C:\", not "C:".
std::string folderPrefix(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    if (separator != std::string::npos) {
        return path.substr(0, separator + 1);
    }
    return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
}

bool writeAll(HANDLE handle, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, data, part, &written, nullptr)) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Marks an open file for deletion when its last handle closes, or takes the
// mark back; so a temporary file goes with the process, however it ends.
bool setDeleteOnClose(HANDLE handle, bool remove) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = remove;
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                        sizeof disposition);
}

}  // namespace

// Nothing beyond what both systems hold.
struct OutputFile::Platform {};

OutputFile::OutputFile(std::string path)
    : m_path(std::move(path)), m_platform(std::make_unique<Platform>()) {}

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::fail() {
    const DWORD error = ::GetLastError();
    // Never "no error" for a failure.
    m_error = static_cast<int>(error != 0 ? error : ERROR_WRITE_FAULT);
    return false;
}

bool OutputFile::open() {
    discard();
    m_error = 0;
    const std::wstring path = toWide(m_path);
    if (path.empty()) {
        ::SetLastError(ERROR_PATH_NOT_FOUND);
        return fail();
    }
    if (path.back() == L'/' || path.back() == L'\\') {
        ::SetLastError(kDirectoryNotSupported);
        return fail();
    }
    // Opening for writing, without changing anything, tells what the name is
    // and refuses what the caller may not write: a read-only file, a folder.
    const HANDLE existing = ::CreateFileW(path.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    // ReplaceFileW takes no bare relative name ("out.txt"): the full path
    // also puts the temporary file in the right folder.
    m_target = m_path;
    std::wstring full(32768, L'\0');
    const DWORD fullLength =
        ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (fullLength > 0 && fullLength < full.size()) {
        full.resize(fullLength);
        m_target = toUtf8(full);
    }
    m_mode = Mode::Replace;
    if (existing == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            const DWORD attributes = ::GetFileAttributesW(path.c_str());
            const bool folder = attributes != INVALID_FILE_ATTRIBUTES &&
                                (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            ::SetLastError(folder ? kDirectoryNotSupported : error);
            return fail();
        }
    } else if (::GetFileType(existing) != FILE_TYPE_DISK) {
        // A device or a pipe (NUL, CON, \\.\pipe\...) is written directly.
        m_mode = Mode::Direct;
        m_fd = descriptorFor(existing, _O_WRONLY);
        return m_fd >= 0 || fail();
    } else {
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = ::GetFileInformationByHandle(existing, &info);
        if (known && info.nNumberOfLinks > 1) {
            m_mode = Mode::InPlace;
        }
        // A symbolic link stays a link: the file it leads to is replaced.
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            std::wstring finalPath(32768, L'\0');
            const DWORD length = ::GetFinalPathNameByHandleW(existing, finalPath.data(),
                                                             static_cast<DWORD>(finalPath.size()),
                                                             FILE_NAME_NORMALIZED);
            if (length > 0 && length < finalPath.size()) {
                finalPath.resize(length);
                m_target = toUtf8(finalPath);
            }
        }
        ::CloseHandle(existing);
        if (!known) {
            return fail();
        }
    }
    m_dir = folderPrefix(m_target);
    if (openTemporary(m_dir)) {
        return true;
    }
    // A folder that takes no new name: a file the caller may write is
    // rewritten in place once the output is complete, kept meanwhile in the
    // user's temporary folder.
    const DWORD error = ::GetLastError();
    wchar_t temporaryFolder[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temporaryFolder);
    if (existing == INVALID_HANDLE_VALUE || error != ERROR_ACCESS_DENIED || length == 0 ||
        length > MAX_PATH) {
        ::SetLastError(error);
        return fail();
    }
    m_mode = Mode::InPlace;
    return openTemporary(toUtf8(std::wstring_view(temporaryFolder, length))) || fail();
}

bool OutputFile::openTemporary(const std::string& dir) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[6] = {};
        try {
            SystemRandom::fill(random, sizeof random);
        } catch (const std::system_error&) {
            // The attempt number still varies the name; CREATE_NEW refuses clashes.
        }
        std::string name = dir + ".ovantis-";
        for (const unsigned char byte : random) {
            name += kLetters[(byte + attempt) % (sizeof kLetters - 1)];
        }
        // Known to Signals before it exists, so no Ctrl-C leaves it behind.
        const int slot = Signals::removeOnExit(name.c_str());
        const HANDLE handle =
            ::CreateFileW(toWide(name).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            Signals::forget(slot);
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
                ::SetLastError(error);
                return false;
            }
            continue;
        }
        // Where the file system cannot, the slot above still covers Ctrl-C.
        setDeleteOnClose(handle, true);
        m_tempPath = std::move(name);
        m_cleanupSlot = slot;
        m_fd = descriptorFor(handle, _O_RDWR);
        return m_fd >= 0;
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return false;
}

bool OutputFile::write(std::string_view bytes) {
    if (m_fd < 0) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        // Keep the reason open() gave.
        return m_error == 0 ? fail() : false;
    }
    return writeAll(handleOf(m_fd), bytes.data(), bytes.size()) || fail();
}

bool OutputFile::commit(bool) {
    if (m_fd < 0) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        // Keep the reason open() gave.
        return m_error == 0 ? fail() : false;
    }
    if (m_mode == Mode::Direct) {
        ::_close(m_fd);
        m_fd = -1;
        return true;
    }
    const HANDLE handle = handleOf(m_fd);
    if (!::FlushFileBuffers(handle)) {
        fail();
        discard();
        return false;
    }
    if (m_mode == Mode::InPlace) {
        const bool copied = copyIntoTarget();
        discard();
        return copied;
    }
    // Where this fails the file goes with its handle, and the replacement
    // below reports that it is missing.
    setDeleteOnClose(handle, false);
    ::_close(m_fd);
    m_fd = -1;
    const std::wstring temporary = toWide(m_tempPath);
    const std::wstring target = toWide(m_target);
    // ReplaceFileW keeps the old file's security and creation time, and on
    // failure leaves it as it was; its attributes are carried over here, as
    // not every implementation of it does.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept) != 0) {
        ::SetFileAttributesW(temporary.c_str(), attributes & kKept);
    }
    const bool replaced = attributes != INVALID_FILE_ATTRIBUTES
                              ? ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                              : ::MoveFileExW(temporary.c_str(), target.c_str(),
                                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        fail();
        discard();
        return false;
    }
    forgetTemporary();
    return true;
}

bool OutputFile::copyIntoTarget() {
    const HANDLE source = handleOf(m_fd);
    const HANDLE target = ::CreateFileW(toWide(m_target).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target == INVALID_HANDLE_VALUE) {
        return fail();
    }
    std::vector<char> buffer(1 << 16);
    LARGE_INTEGER start{};
    bool ok = ::SetFilePointerEx(source, start, nullptr, FILE_BEGIN) != 0;
    for (DWORD got = 0; ok;) {
        ok = ::ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr);
        if (!ok || got == 0) {
            break;
        }
        ok = writeAll(target, buffer.data(), got);
    }
    ok = ok && ::SetEndOfFile(target) && ::FlushFileBuffers(target);
    if (!ok) {
        fail();
    }
    ::CloseHandle(target);
    return ok;
}

void OutputFile::forgetTemporary() {
    Signals::forget(m_cleanupSlot);
    m_cleanupSlot = -1;
    m_tempPath.clear();
}

void OutputFile::discard() {
    if (m_fd >= 0) {
        ::_close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        // Usually gone with its handle already.
        ::DeleteFileW(toWide(m_tempPath).c_str());
        forgetTemporary();
    }
}

}  // namespace ovantis::sys
