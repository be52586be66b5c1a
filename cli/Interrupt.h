#pragma once

namespace ovantis::cli {

// Ctrl-C sets a flag the loops check, so a run stops cleanly: output flushed,
// a half-written -o file removed.
void installInterruptHandler();
bool interrupted();

}  // namespace ovantis::cli
