#pragma once

namespace ovantis::sys {

// The signals that end a run (SIGINT, SIGTERM, SIGHUP, SIGQUIT) only set a flag
// the loops check, so a run can stop cleanly; a second one while the first is
// being handled ends the process at once, removing any pending temporary file.
// Once a stop is asked for, every blocking call (a write to a full pipe, the
// open of a FIFO nobody reads) is interrupted again each tenth of a second, so
// one that began just before the signal cannot hold the run: callers retry an
// interrupted call only while stopRequested() is false.
class Signals {
  public:
    // Installs the handlers without SA_RESTART, so a blocking call returns early.
    static void install();
    static bool stopRequested();
    // The signal that asked to stop, or 0; the exit status is 128 plus it.
    static int stopSignal();
    // Forgets a stop request, for a harness that runs again after one.
    static void reset();
    // Asks the run to stop as signal would, but never ends the process: for a
    // harness that gives each run a deadline. The first reason is kept.
    static void requestStop(int signal);

    // A file the handler removes before it ends the process. Returns a slot
    // for forget(), or -1 when every slot is taken or the path is too long.
    static int removeOnExit(const char* path);
    static void forget(int slot);
};

}  // namespace ovantis::sys
