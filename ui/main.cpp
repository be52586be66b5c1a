#include <QApplication>
#include <QLocale>
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

// The window's language: --lang, or else the locale's. LANGUAGE may list
// languages while the locale is C; C wins, as for gettext.
Translations::Language windowLanguage(const std::string& requested) {
    const QLocale system = QLocale::system();
    const QStringList languages =
        system.language() == QLocale::C ? QStringList{"C"} : system.uiLanguages();
    const auto chosen = Translations::choose(languages, QString::fromStdString(requested));
    return chosen ? *chosen : *Translations::choose(languages, {});
}

}  // namespace

int main(int argc, char** argv) {
    // Checked before QApplication, which needs a display.
    const WindowOptions options =
        WindowOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    const Translations::Language language = windowLanguage(options.language);
    const ovantis::Language texts = language == Translations::Language::Chinese
                                        ? ovantis::Language::Chinese
                                        : ovantis::Language::English;
    switch (options.action) {
        case WindowOptions::Action::Usage:
            std::fprintf(stderr, "ovantis: %s\n", options.error(texts).c_str());
            return 2;
        case WindowOptions::Action::Help:
            return print(WindowOptions::helpText(texts), texts);
        case WindowOptions::Action::Version:
            return print(std::string("ovantis ") + ovantis::version::kText + "\n", texts);
        case WindowOptions::Action::Run:
            break;
    }
    GeneratorApp::identify();
    QApplication app(argc, argv);
    GeneratorApp generator(app, language);
    generator.InitInstance();
    return 0;
}
