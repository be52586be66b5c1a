#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "GeneratorApp.h"
#include "Version.h"
#include "WindowOptions.h"

namespace {

// Writes text to standard output; a write that failed (a full disk, a closed
// pipe) is an error, not a success.
int print(const std::string& text, ovantis::Language language) {
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    const int error = errno;
    if (std::fclose(stdout) != 0 || !written) {
        std::fprintf(stderr, "ovantis: %s\n",
                     WindowOptions::writeError(language, written ? errno : error).c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Checked before QApplication, which needs a display.
    const WindowOptions options =
        WindowOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    const ovantis::Language language =
        Translations::ofWindow(QString::fromStdString(options.language));
    switch (options.action) {
        case WindowOptions::Action::Usage:
            std::fprintf(stderr, "ovantis: %s\n", options.error(language).c_str());
            return 2;
        case WindowOptions::Action::Help:
            return print(WindowOptions::helpText(language), language);
        case WindowOptions::Action::Version:
            return print(std::string("ovantis ") + ovantis::version::kText + "\n", language);
        case WindowOptions::Action::Run:
            break;
    }
    GeneratorApp::identify();
    QApplication app(argc, argv);
    GeneratorApp generator(app, language);
    generator.InitInstance();
    return 0;
}
