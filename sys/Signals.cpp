#include "Signals.h"

#include <time.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

#include "PendingFiles.h"

namespace ovantis::sys {
namespace {

std::atomic<int> g_signal{0};
timer_t g_nudge;
std::atomic<bool> g_nudgeReady{false};
static_assert(std::atomic<int>::is_always_lock_free, "the handler reads these");

void removePending() {
    PendingFiles::removeAll([](const char* path) { ::unlink(path); });
}

extern "C" void onStopSignal(int signal) {
    int none = 0;
    if (!g_signal.compare_exchange_strong(none, signal)) {
        // The user insists: whatever the run was doing, it ends now.
        removePending();
        ::_exit(128 + signal);
    }
    if (g_nudgeReady.load()) {
        // A call entered just after the flag was checked would block on:
        // SIGALRM interrupts it soon after, and again until the run ends.
        const itimerspec every{{0, 100'000'000}, {0, 100'000'000}};
        ::timer_settime(g_nudge, 0, &every, nullptr);
    }
}

extern "C" void onNudge(int) {}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

}  // namespace

void Signals::install() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : kStopSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    action.sa_flags = 0;
    for (int signal : kStopSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    struct sigaction nudge {};
    nudge.sa_handler = onNudge;
    sigemptyset(&nudge.sa_mask);
    ::sigaction(SIGALRM, &nudge, nullptr);
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGALRM;
    if (!g_nudgeReady.load() && ::timer_create(CLOCK_MONOTONIC, &event, &g_nudge) == 0) {
        g_nudgeReady.store(true);
    }
}

bool Signals::stopRequested() {
    return g_signal.load() != 0;
}

int Signals::stopSignal() {
    return g_signal.load();
}

void Signals::reset() {
    if (g_nudgeReady.load()) {
        const itimerspec off{};
        ::timer_settime(g_nudge, 0, &off, nullptr);
    }
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
