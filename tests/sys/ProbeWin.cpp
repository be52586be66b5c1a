// Started by the Windows launcher test: writes the arguments it received, as
// the system splits its command line, to the file named by
// OVANTIS_PROBE_REPORT (written whole, then renamed into place).
#include <windows.h>

#include <shellapi.h>

#include <string>

int main() {
    int count = 0;
    wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::wstring report;
    for (int i = 1; i < count; ++i) {
        report += L"arg: " + std::wstring(args[i]) + L"\n";
    }
    wchar_t target[MAX_PATH];
    if (::GetEnvironmentVariableW(L"OVANTIS_PROBE_REPORT", target, MAX_PATH) == 0) {
        return 1;
    }
    const std::wstring partial = std::wstring(target) + L".part";
    const HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)), &written,
                nullptr);
    ::CloseHandle(file);
    return ::MoveFileW(partial.c_str(), target) ? 0 : 1;
}
