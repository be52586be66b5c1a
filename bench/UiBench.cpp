// Drives the real String page offscreen: seconds from the Generate click to
// the final notice for 100,000 and 1,000,000 default lines, and peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "GeneratorApp.h"
#include "StringPage.h"

namespace {

double secondsToNotice(StringPage& page, int count, bool& progressShown) {
    qobject_cast<QLineEdit*>(page.control(1017))->setText(QString::number(count));
    QElapsedTimer clock;
    double seconds = -1;
    progressShown = false;
    auto* poll = new QTimer(&page);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->objectName() == QStringLiteral("progress")) {
                progressShown = true;
            }
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible() && seconds < 0) {
                seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    poll->start();
    clock.start();
    qobject_cast<QPushButton*>(page.control(1011))->click();
    delete poll;
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    GeneratorApp generator(app);
    StringPage page(generator.random(), nullptr);
    page.show();
    for (int count : {100000, 1000000}) {
        bool progressShown = false;
        const double seconds = secondsToNotice(page, count, progressShown);
        const int lines = qobject_cast<QPlainTextEdit*>(page.control(1010))->blockCount() - 1;
        std::printf("%8d default lines: %.3f s from Generate to the notice (%d lines shown, progress %s)\n", count,
                    seconds, lines, progressShown ? "shown" : "not shown");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
