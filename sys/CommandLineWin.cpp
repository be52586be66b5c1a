#include "CommandLine.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "WinText.h"

namespace ovantis::sys {

CommandLine::CommandLine(int argc, char** argv) {
    // The ANSI argv has already lost every character outside the code page.
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        m_arguments.assign(argv + 1, argv + argc);
    } else {
        for (int i = 1; i < count; ++i) {
            m_arguments.push_back(toUtf8(wide[i]));
        }
        ::LocalFree(wide);
    }
    // Lines end as the program wrote them, LF unless asked for CR LF.
    _setmode(1, _O_BINARY);
    // The console's code page outlives the program, so it is set back at the end.
    const UINT previous = ::GetConsoleOutputCP();  // 0 without a console
    if (previous != 0 && previous != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
        m_savedCodePage = previous;
    }
}

CommandLine::~CommandLine() {
    if (m_savedCodePage != 0) {
        ::SetConsoleOutputCP(m_savedCodePage);
    }
}

}  // namespace ovantis::sys
