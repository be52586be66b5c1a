#pragma once

namespace ovantis::sys {

// Files a stop must remove before the process ends: a fixed table, so a
// signal handler may walk it without allocating or locking.
class PendingFiles {
  public:
    // A slot for forget(), or -1 when every slot is taken or the path too long.
    static int add(const char* path);
    static void forget(int slot);
    // Hands each pending path to remove; safe in a handler when remove is.
    static void removeAll(void (*remove)(const char* path));
};

}  // namespace ovantis::sys
