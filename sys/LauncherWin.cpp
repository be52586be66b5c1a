#include "Launcher.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "WinText.h"

namespace ovantis::sys {
namespace {

bool isFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool endsWith(const std::wstring& text, const wchar_t* suffix) {
    const std::size_t length = std::wcslen(suffix);
    return text.size() > length &&
           ::CompareStringOrdinal(text.c_str() + text.size() - length, static_cast<int>(length),
                                  suffix, static_cast<int>(length), TRUE) == CSTR_EQUAL;
}

// Only what CreateProcessW starts by itself: a batch file would need cmd.exe,
// which reads its arguments by rules no quoting makes safe.
std::wstring executableIn(const std::wstring& path) {
    if (endsWith(path, L".exe") || endsWith(path, L".com")) {
        return isFile(path) ? path : std::wstring();
    }
    for (const wchar_t* extension : {L".exe", L".com"}) {
        if (isFile(path + extension)) {
            return path + extension;
        }
    }
    return {};
}

// A name without a folder is looked for on PATH only, never in the current
// folder first.
std::wstring findExecutable(const std::wstring& name) {
    if (name.find_first_of(L"/\\:") != std::wstring::npos) {
        return executableIn(name);
    }
    const DWORD size = ::GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring dirs(size, L'\0');
    dirs.resize(::GetEnvironmentVariableW(L"PATH", dirs.data(), size));
    std::size_t start = 0;
    while (start < dirs.size()) {
        std::size_t end = dirs.find(L';', start);
        if (end == std::wstring::npos) {
            end = dirs.size();
        }
        if (end > start) {
            const std::wstring found = executableIn(dirs.substr(start, end - start) + L"\\" + name);
            if (!found.empty()) {
                return found;
            }
        }
        start = end + 1;
    }
    return {};
}

// One argument as CommandLineToArgvW and the C runtime read it back: inside
// quotes, backslashes are literal except before a quote or the closing one.
void appendQuoted(std::wstring& line, const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
}

LaunchFailure cannotStart(const std::string& program, DWORD error) {
    return {program, systemReason(error)};
}

}  // namespace

std::optional<LaunchFailure> Launcher::launch(const std::string& program,
                                              const std::vector<std::string>& args) {
    const std::wstring name = toWide(program);
    const std::wstring executable = name.empty() ? std::wstring() : findExecutable(name);
    if (!executable.empty()) {
        // The program's own name is read without escapes; it cannot hold a quote.
        std::wstring line = L"\"" + name + L"\"";
        for (const std::string& arg : args) {
            line += L' ';
            appendQuoted(line, toWide(arg));
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        // No handle is inherited; a console program runs without a console, so
        // its output never mixes into ours and Ctrl-C meant for us misses it.
        if (!::CreateProcessW(executable.c_str(), line.data(), nullptr, nullptr, FALSE,
                              CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr,
                              &startup, &process)) {
            return cannotStart(program, ::GetLastError());
        }
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return std::nullopt;
    }
    const bool exists =
        !name.empty() && ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (name.empty()) {
        return LaunchFailure{program, "no program name"};
    }
    if (!exists && !::PathIsURLW(name.c_str())) {
        const bool bare = name.find_first_of(L"\\/:") == std::wstring::npos;
        return bare ? LaunchFailure{program, "not found on PATH"}
                    : cannotStart(program, ERROR_FILE_NOT_FOUND);
    }
    // The shell's handlers may use COM; a document or URL gets no arguments.
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpFile = name.c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool opened = ::ShellExecuteExW(&info);
    const DWORD error = ::GetLastError();
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return opened ? std::nullopt : std::optional(cannotStart(program, error));
}

// Nothing to collect: the process handles are closed at once.
void Launcher::reap() {}

}  // namespace ovantis::sys
