#pragma once

#include <string>
#include <vector>

// The window's own command line, judged before any display is needed, so a
// mistake is named even where no window could open. Qt's own options
// (-platform, -style and the rest) are let through for QApplication.
class WindowOptions {
  public:
    enum class Action { Run, Help, Version, Usage };

    // args are the arguments after the program's name.
    static WindowOptions parse(const std::vector<std::string>& args);
    static std::string helpText();

    Action action = Action::Run;
    std::string language;  // "zh", "en", or empty for the locale's
    std::string error;     // why, for Usage
};
