#pragma once

#include <string>
#include <vector>

#include "Language.h"
#include "Text.h"

// The window's own command line, judged before any display is needed, so a
// mistake is named even where no window could open. Qt's own options
// (-platform, -style and the rest) are let through for QApplication, in the
// forms it reads: one dash or two, a value as the next argument.
class WindowOptions {
  public:
    enum class Action { Run, Help, Version, Usage };

    // args are the arguments after the program's name.
    static WindowOptions parse(const std::vector<std::string>& args);
    static std::string helpText(ovantis::Language language = ovantis::Language::English);
    // Why the command line was refused, and the hint after it, for Usage.
    std::string error(ovantis::Language language) const;
    // Why help or version could not be written; error is errno.
    static std::string writeError(ovantis::Language language, int error);

    Action action = Action::Run;
    std::string language;  // --lang's value as given, or empty for the locale's

  private:
    const ovantis::Text* m_error = nullptr;
    std::vector<std::string> m_values;  // escaped for a terminal
};
