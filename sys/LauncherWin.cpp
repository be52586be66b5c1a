#include "Launcher.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "WinText.h"

namespace ovantis::sys {
namespace {

std::mutex g_childrenMutex;
// The programs started here, until they are seen to have ended.
std::vector<HANDLE> g_children;

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

// Rooted ("\\bin", "C:\\bin"), so not the current folder nor one below it.
bool isAbsolute(const std::wstring& dir) {
    const auto slash = [&](std::size_t i) { return dir[i] == L'\\' || dir[i] == L'/'; };
    return (!dir.empty() && slash(0)) || (dir.size() > 2 && dir[1] == L':' && slash(2));
}

bool isBare(const std::wstring& name) {
    return name.find_first_of(L"/\\:") == std::wstring::npos;
}

// A file the shell would start as a program: its extension is on PATHEXT.
bool isProgramName(const std::wstring& name) {
    std::wstring extensions(::GetEnvironmentVariableW(L"PATHEXT", nullptr, 0), L'\0');
    extensions.resize(::GetEnvironmentVariableW(L"PATHEXT", extensions.data(),
                                                static_cast<DWORD>(extensions.size())));
    if (extensions.empty()) {
        extensions = L".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH;.MSC";
    }
    std::size_t start = 0;
    while (start < extensions.size()) {
        const std::size_t end = std::min(extensions.find(L';', start), extensions.size());
        if (end > start && endsWith(name, extensions.substr(start, end - start).c_str())) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// A name without a folder is looked for on PATH only, never in the current
// folder, which a relative entry would stand for.
std::wstring findExecutable(const std::wstring& name) {
    if (!isBare(name)) {
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
        const std::wstring dir = dirs.substr(start, end - start);
        if (isAbsolute(dir)) {
            const std::wstring found = executableIn(dir + L"\\" + name);
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

using Kind = SystemReason::Kind;

LaunchFailure cannotStart(const std::string& program, DWORD error) {
    return {program, SystemReason::system(static_cast<int>(error))};
}

LaunchFailure failed(const std::string& program, Kind kind) {
    return {program, {kind, 0, {}}};
}

// Why a name that is not a program found on PATH or by its path is not opened
// either, or nothing: the shell would search the current folder for it, or
// start it with the arguments dropped.
std::optional<LaunchFailure> refusal(const std::string& program, const std::wstring& name,
                                     bool exists, bool withArgs) {
    const bool bare = isBare(name);
    if (bare && !executableIn(L".\\" + name).empty()) {
        return LaunchFailure{program, {Kind::OnlyInThisFolder, 0, ".\\" + printable(program)}};
    }
    const bool url = !exists && ::PathIsURLW(name.c_str());
    if (!exists && !url) {
        return bare ? failed(program, Kind::NotOnPath) : cannotStart(program, ERROR_FILE_NOT_FOUND);
    }
    if (isProgramName(name) && (!url || ::UrlIsFileUrlW(name.c_str()))) {
        return failed(program, Kind::ScriptNeverStarted);
    }
    if (withArgs) {
        return failed(program, Kind::ArgumentsForDocument);
    }
    return std::nullopt;
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
        const std::lock_guard lock(g_childrenMutex);
        g_children.push_back(process.hProcess);
        return std::nullopt;
    }
    if (name.empty()) {
        return failed(program, Kind::NoProgramName);
    }
    const bool exists = ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (auto refused = refusal(program, name, exists, !args.empty())) {
        return refused;
    }
    // A file goes by its full path, so the shell has nothing to search for.
    std::wstring target = name;
    if (exists) {
        target.resize(::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr));
        target.resize(::GetFullPathNameW(name.c_str(), static_cast<DWORD>(target.size()),
                                         target.data(), nullptr));
    }
    // The shell's handlers may use COM.
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool opened = ::ShellExecuteExW(&info);
    const DWORD error = ::GetLastError();
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return opened ? std::nullopt : std::optional(cannotStart(program, error));
}

void Launcher::reap() {
    const std::lock_guard lock(g_childrenMutex);
    std::erase_if(g_children, [](HANDLE process) {
        if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            return false;
        }
        ::CloseHandle(process);
        return true;
    });
}

int Launcher::running() {
    reap();
    const std::lock_guard lock(g_childrenMutex);
    return static_cast<int>(g_children.size());
}

}  // namespace ovantis::sys
