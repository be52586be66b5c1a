#include "Signals.h"

#include <windows.h>

#include <atomic>

#include "PendingFiles.h"
#include "WinText.h"

namespace ovantis::sys {
namespace {

// Console events stand for the POSIX signals they correspond to, so the exit
// status (128 plus the number) reads the same on both: Ctrl-C 130 (SIGINT),
// Ctrl-Break 131 (SIGQUIT, the Ctrl-\ of a terminal), closing the console 129
// (SIGHUP), logging off or shutting down 143 (SIGTERM).
int signalFor(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
            return 2;
        case CTRL_BREAK_EVENT:
            return 3;
        case CTRL_CLOSE_EVENT:
            return 1;
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            return 15;
        default:
            return 0;
    }
}

std::atomic<int> g_signal{0};
// The handler runs on a thread of its own, so it may convert and allocate.
void removePending() {
    PendingFiles::removeAll([](const char* path) { ::DeleteFileW(toWide(path).c_str()); });
}

BOOL WINAPI onConsoleEvent(DWORD event) {
    const int signal = signalFor(event);
    if (signal == 0) {
        return FALSE;
    }
    int none = 0;
    if (!g_signal.compare_exchange_strong(none, signal)) {
        // The user insists: whatever the run was doing, it ends now.
        removePending();
        ::TerminateProcess(::GetCurrentProcess(), 128 + signal);
    }
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        return TRUE;
    }
    // The system ends the process when this returns (or after 5 s), so the run
    // gets most of that time to wind down; its exit ends this thread too.
    for (int waited = 0; waited < 4000; waited += 10) {
        ::Sleep(10);
    }
    removePending();
    return TRUE;
}

}  // namespace

void Signals::install() {
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool Signals::stopRequested() {
    return g_signal.load() != 0;
}

int Signals::stopSignal() {
    return g_signal.load();
}

void Signals::reset() {
    g_signal.store(0);
}

void Signals::requestStop(int signal) {
    int none = 0;
    g_signal.compare_exchange_strong(none, signal);
}

int Signals::removeOnExit(const char* path) {
    return PendingFiles::add(path);
}

void Signals::forget(int slot) {
    PendingFiles::forget(slot);
}

}  // namespace ovantis::sys
