// Drives the real String page offscreen for 100,000 and 1,000,000 default
// lines: seconds from the Generate click to the notice and until the scroll
// bar spans every line, the longest wait between two event-loop passes, and
// peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "ControlIds.h"
#include "GeneratorApp.h"
#include "ModalAnswer.h"
#include "StringPage.h"

namespace {

namespace ids = ovantis::ids;

struct Figures {
    double notice = -1;
    double scrollBar = -1;
    double longestGap = 0;
    qsizetype lines = 0;
};

// The scroll bar spans the lines plus the empty one after the last.
bool scrollBarTrue(QPlainTextEdit* box, int count) {
    const QScrollBar* bar = box->verticalScrollBar();
    return bar->maximum() + bar->pageStep() == count + 1;
}

Figures run(StringPage& page, int count) {
    auto* box = controlOf<QPlainTextEdit>(&page, ids::kStringOutput);
    controlOf<QLineEdit>(&page, ids::kStringCount)->setText(QString::number(count));
    Figures figures;
    QElapsedTimer clock;
    // A zero timer fires once per pass of whichever event loop is running.
    QTimer pass;
    pass.setInterval(0);
    qint64 lastPass = 0;
    QObject::connect(&pass, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        figures.longestGap =
            std::max(figures.longestGap, static_cast<double>(now - lastPass) / 1e6);
        lastPass = now;
    });
    answerNotice(nullptr, [&] {
        figures.notice = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        QElapsedTimer wait;
        wait.start();
        while (!scrollBarTrue(box, count) && wait.elapsed() < 10000) {
            QCoreApplication::processEvents();
        }
        figures.scrollBar = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        pass.stop();
    });
    clock.start();
    pass.start();
    controlOf<QPushButton>(&page, ids::kStringGenerate)->click();
    // A long run goes on from the event loop after the click.
    while (figures.notice < 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    figures.lines = box->toPlainText().count(QLatin1Char('\n'));
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    GeneratorApp generator(app, ovantis::Language::Chinese);
    StringPage page(generator.random(), nullptr);
    page.show();
    for (int count : {100000, 1000000}) {
        const Figures f = run(page, count);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf(
            "%8d default lines (%lld shown): notice %.3f s, scroll bar true %.3f s, "
            "longest event-loop gap %.0f ms, peak memory so far %.1f MiB\n",
            count, static_cast<long long>(f.lines), f.notice, f.scrollBar, f.longestGap,
            static_cast<double>(usage.ru_maxrss) / 1024.0);
    }
    return 0;
}
