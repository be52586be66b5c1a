#include "Signals.h"

#include <limits.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>

namespace ovantis::sys {
namespace {

constexpr int kSlots = 8;
constexpr int kFree = 0;
constexpr int kFilling = 1;
constexpr int kReady = 2;

std::atomic<int> g_signal{0};
timer_t g_nudge;
std::atomic<bool> g_nudgeReady{false};
std::atomic<int> g_slotState[kSlots];
char g_slotPath[kSlots][PATH_MAX];

static_assert(std::atomic<int>::is_always_lock_free, "the handler reads these");

void removePending() {
    for (int i = 0; i < kSlots; ++i) {
        if (g_slotState[i].load() == kReady) {
            ::unlink(g_slotPath[i]);
        }
    }
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

int Signals::removeOnExit(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX) {
        return -1;
    }
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (g_slotState[i].compare_exchange_strong(expected, kFilling)) {
            std::memcpy(g_slotPath[i], path, length + 1);
            g_slotState[i].store(kReady);
            return i;
        }
    }
    return -1;
}

void Signals::forget(int slot) {
    if (slot >= 0 && slot < kSlots) {
        g_slotState[slot].store(kFree);
    }
}

}  // namespace ovantis::sys
