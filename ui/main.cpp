#include <QApplication>
#include <QLocale>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "GeneratorApp.h"
#include "Version.h"
#include "WindowOptions.h"

namespace {

// Writes text to standard output; a write that failed (a full disk, a closed
// pipe) is an error, not a success.
int print(const std::string& text) {
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    const int error = errno;
    if (std::fclose(stdout) != 0 || !written) {
        std::fprintf(stderr, "ovantis: write error: %s\n", std::strerror(written ? errno : error));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Checked before QApplication, which needs a display.
    const WindowOptions options =
        WindowOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
        case WindowOptions::Action::Usage:
            std::fprintf(stderr, "ovantis: %s\nTry 'ovantis --help'.\n", options.error.c_str());
            return 2;
        case WindowOptions::Action::Help:
            return print(WindowOptions::helpText());
        case WindowOptions::Action::Version:
            return print(std::string("ovantis ") + ovantis::version::kText + "\n");
        case WindowOptions::Action::Run:
            break;
    }
    GeneratorApp::identify();
    QApplication app(argc, argv);
    // LANGUAGE may list languages while the locale is C; C wins, as for gettext.
    const QLocale system = QLocale::system();
    const auto language = Translations::choose(
        system.language() == QLocale::C ? QStringList{"C"} : system.uiLanguages(),
        QString::fromStdString(options.language));
    GeneratorApp generator(app, language.value_or(Translations::Language::Chinese));
    generator.InitInstance();
    return 0;
}
