#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include "GeneratorApp.h"

namespace {

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Random test data by hand: strings, numbers and timed events.\n"
                       "With no options, opens the window."));
    parser.addHelpOption();
    parser.addVersionOption();
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
    {
        // QApplication has taken its own options out; anything left is a mistake.
        QCommandLineParser parser;
        describe(parser);
        parser.process(app);
    }
    GeneratorApp generator(app);
    return generator.InitInstance() ? 1 : 0;
}
