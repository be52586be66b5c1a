#pragma once

#include <string>
#include <vector>

namespace ovantis::sys {

// Lets a test fail, or stop, a file write at each of its steps in turn, to
// show that every step keeps the old content or puts the whole new one. Inert
// until armed: a step then costs one atomic load.
class FaultPoints {
  public:
    // From now on, the n-th step (counting from 1) fails with error; with n 0
    // none does, but the steps are still named for passed().
    static void failAt(int n, int error);
    // From now on, the first step of that name fails with error.
    static void failAt(const char* step, int error);
    // As failAt, but the step asks the run to stop, as signal would, and goes on.
    static void stopAt(int n, int signal);
    static void stopAt(const char* step, int signal);
    static void disarm();
    // The names of the steps taken since arming.
    static std::vector<std::string> passed();
    // Whether the step named what fails, with errno set.
    static bool fails(const char* what);
};

}  // namespace ovantis::sys
