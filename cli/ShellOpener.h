#pragma once

#include <string>
#include <vector>

namespace ovantis::cli {

// Opens a program or document by name without a shell: the text is one file
// name, never split. An executable (a path, or a name found on PATH) is started
// with no arguments; anything else goes to the desktop's default handler.
// Failures are ignored, as the window ignores them.
class ShellOpener {
  public:
    static void open(const std::string& text, const std::vector<std::string>& args = {});
    // The executable a text names, or empty when it names none.
    static std::string findExecutable(const std::string& text);
};

}  // namespace ovantis::cli
