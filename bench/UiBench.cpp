// Drives the real String page offscreen: seconds from the Generate click to
// the final notice for 100,000 and 1,000,000 default lines, and peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>

#include "ControlIds.h"
#include "GeneratorApp.h"
#include "ModalAnswer.h"
#include "StringPage.h"

namespace {

namespace ids = ovantis::ids;

double secondsToNotice(StringPage& page, int count) {
    controlOf<QLineEdit>(&page, ids::kStringCount)->setText(QString::number(count));
    QElapsedTimer clock;
    double seconds = -1;
    answerNotice(nullptr, [&] { seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9; });
    clock.start();
    controlOf<QPushButton>(&page, ids::kStringGenerate)->click();
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    GeneratorApp generator(app, Translations::Language::Chinese);
    StringPage page(generator.random(), nullptr);
    page.show();
    for (int count : {100000, 1000000}) {
        const double seconds = secondsToNotice(page, count);
        const int lines =
            controlOf<QPlainTextEdit>(&page, ids::kStringOutput)->document()->lineCount() - 1;
        std::printf("%8d default lines: %.3f s from Generate to the notice (%d lines shown)\n",
                    count, seconds, lines);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
