#include "PendingFiles.h"

#include <atomic>
#include <cstddef>
#include <cstring>

namespace ovantis::sys {
namespace {

constexpr int kSlots = 8;
constexpr std::size_t kPathBytes = 4096;
constexpr int kFree = 0;
constexpr int kFilling = 1;
constexpr int kReady = 2;

std::atomic<int> g_slotState[kSlots];
char g_slotPath[kSlots][kPathBytes];

static_assert(std::atomic<int>::is_always_lock_free, "the handler reads these");

}  // namespace

int PendingFiles::add(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length >= kPathBytes) {
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

void PendingFiles::forget(int slot) {
    if (slot >= 0 && slot < kSlots) {
        g_slotState[slot].store(kFree);
    }
}

void PendingFiles::removeAll(void (*remove)(const char* path)) {
    for (int i = 0; i < kSlots; ++i) {
        if (g_slotState[i].load() == kReady) {
            remove(g_slotPath[i]);
        }
    }
}

}  // namespace ovantis::sys
