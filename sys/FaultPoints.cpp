#include "FaultPoints.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include "Signals.h"

namespace ovantis::sys {
namespace {

std::atomic<bool> g_armed{false};
std::atomic<int> g_steps{0};
int g_target = 0;
const char* g_targetName = nullptr;
int g_error = 0;
int g_signal = 0;
constexpr int kNamed = 1024;
const char* g_names[kNamed];

void arm(int n, const char* name, int error, int signal) {
    g_armed.store(false);
    g_steps.store(0);
    g_target = n;
    g_targetName = name;
    g_error = error;
    g_signal = signal;
    g_armed.store(true);
}

}  // namespace

void FaultPoints::failAt(int n, int error) {
    arm(n, nullptr, error, 0);
}

void FaultPoints::failAt(const char* step, int error) {
    arm(0, step, error, 0);
}

void FaultPoints::stopAt(int n, int signal) {
    arm(n, nullptr, 0, signal);
}

void FaultPoints::stopAt(const char* step, int signal) {
    arm(0, step, 0, signal);
}

void FaultPoints::disarm() {
    g_armed.store(false);
}

std::vector<std::string> FaultPoints::passed() {
    std::vector<std::string> names;
    for (int i = 0; i < g_steps.load() && i < kNamed; ++i) {
        names.emplace_back(g_names[i]);
    }
    return names;
}

bool FaultPoints::fails(const char* what) {
    if (!g_armed.load(std::memory_order_acquire)) {
        return false;
    }
    const int step = g_steps.fetch_add(1) + 1;
    if (step <= kNamed) {
        g_names[step - 1] = what;
    }
    const bool named = g_targetName != nullptr && std::strcmp(g_targetName, what) == 0;
    if (step != g_target && !named) {
        return false;
    }
    g_targetName = nullptr;
    if (g_signal != 0) {
        Signals::requestStop(g_signal);
        return false;
    }
    errno = g_error;
    return true;
}

}  // namespace ovantis::sys
