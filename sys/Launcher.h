#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ovantis::sys {

// Starts a program or opens a document by name, never through a shell: the
// program text is one file name. An executable (a path, or a name found on
// PATH) gets args, each as one argument; an existing file or a URL goes to
// xdg-open. The child starts clean: descriptors 0-2 only, stdin and stdout on
// /dev/null, every signal at its default and none blocked, its own session.
class Launcher {
  public:
    // Not waited for; returns "cannot start PROGRAM: reason" on failure.
    static std::optional<std::string> launch(const std::string& program,
                                             const std::vector<std::string>& args);
    // Collects the children started here that have ended, so none stays a zombie.
    static void reap();
};

}  // namespace ovantis::sys
