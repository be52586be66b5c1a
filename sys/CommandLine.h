#pragma once

#include <string>
#include <vector>

namespace ovantis::sys {

// The boundary between the program's UTF-8 and the system: the arguments as
// UTF-8 (on Windows read from the UTF-16 command line, so any name survives),
// and standard output that passes bytes unchanged (on Windows: no CR LF
// translation, and a console shows UTF-8, set back when this ends).
class CommandLine {
  public:
    CommandLine(int argc, char** argv);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // The arguments after the program name.
    const std::vector<std::string>& arguments() const { return m_arguments; }

  private:
    std::vector<std::string> m_arguments;
    // The console code page to restore (Windows only).
    [[maybe_unused]] unsigned m_savedCodePage = 0;
};

}  // namespace ovantis::sys
