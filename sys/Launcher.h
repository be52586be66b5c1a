#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Language.h"
#include "Printable.h"
#include "ReasonText.h"
#include "SystemReason.h"

namespace ovantis::sys {

// Why a program or document did not start.
struct LaunchFailure {
    std::string program;  // as given
    SystemReason reason;
    // "PROGRAM: reason" in the language, control characters escaped.
    std::string text(Language language) const {
        return printable(program) + ": " + describe(reason, language);
    }
};

// Starts a program or opens a document by name, never through a shell: the
// program text is one file name. An executable (a path, or a name found on
// PATH, whose empty and relative entries are skipped: never the current
// folder) gets args, each as one argument; any other existing file, or a URL,
// goes to the desktop (xdg-open, or the shell's open verb on Windows) and is
// refused when given args, which it would drop. The child starts clean: descriptors 0-2
// only, stdin and stdout on /dev/null, every signal at its default and none
// blocked, its own session. Both front ends start programs through here.
class Launcher {
  public:
    // Not waited for; what went wrong when it could not start.
    static std::optional<LaunchFailure> launch(const std::string& program,
                                               const std::vector<std::string>& args);
    // Collects the children started here that have ended, so none stays a zombie.
    static void reap();
    // How many programs started here are still running, once the ended are
    // collected. A document's application counts only while its opener runs.
    static int running();
};

}  // namespace ovantis::sys
