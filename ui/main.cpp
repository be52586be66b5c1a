#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <cstdio>

#include "GeneratorApp.h"

namespace {

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Random test data by hand: strings, numbers and timed events.\n"
                       "With no options, opens the window."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        QStringLiteral("lang"),
        QStringLiteral("Window language for this run: zh or en (default: from the locale)."),
        QStringLiteral("zh|en")));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("ovantis"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OVANTIS_VERSION));
    {
        // --help and --version must answer without a display, so they are
        // read before QApplication connects to one. Unknown options may be
        // Qt's own (-platform, -style), so they are judged only afterwards.
        QCoreApplication probe(argc, argv);
        QCommandLineParser parser;
        describe(parser);
        parser.parse(probe.arguments());
        if (parser.isSet(QStringLiteral("version"))) {
            parser.showVersion();
        }
        if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
            parser.showHelp();
        }
    }
    QApplication app(argc, argv);
    std::optional<Translations::Language> language;
    {
        // QApplication has taken its own options out; anything left is a mistake.
        QCommandLineParser parser;
        describe(parser);
        parser.process(app);
        const QString requested = parser.value(QStringLiteral("lang"));
        // LANGUAGE may list languages while the locale is C; C wins, as for gettext.
        const QLocale system = QLocale::system();
        language = Translations::choose(
            system.language() == QLocale::C ? QStringList{"C"} : system.uiLanguages(), requested);
        if (!language) {
            std::fprintf(stderr, "ovantis: unknown language '%s' for --lang: use zh or en\n",
                         qPrintable(requested));
            return 1;
        }
    }
    GeneratorApp generator(app, *language);
    return generator.InitInstance() ? 1 : 0;
}
