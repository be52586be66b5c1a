#include "TimePage.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "ControlIds.h"
#include "ExportResult.h"
#include "TimeFields.h"

namespace {
namespace ids = ovantis::ids;
}  // namespace

TimePage::TimePage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(ovantis::kTimeFields, ovantis::kTimeControls, parent), m_run(*this, random) {
    setObjectName(QStringLiteral("timePage"));
    fill(ovantis::TimedRun::initialContent());
    onClick(ids::kTimeGenerate, &TimePage::generate);
    onClick(ids::kTimeExport, &TimePage::exportResult);
    onToggle(ids::kRunExternal, &TimePage::runExternalToggled);
    // "xmessage hallo" would be one name, not a program and its argument.
    qobject_cast<QLineEdit*>(control(ids::kCommand))
        ->setPlaceholderText(tr("一个程序或文档的名称，不带参数"));
}

void TimePage::generate() {
    // The button reads Stop while a run goes.
    if (m_run.running()) {
        m_run.Stop();
    } else {
        m_run.StartTimedRun();
    }
}

void TimePage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_run.Stop();
    }
    PageWindow::keyPressEvent(event);
}

void TimePage::exportResult() {
    ovantis::ExportResult(*this, ovantis::TimedRun::controls());
}

void TimePage::runExternalToggled() {
    m_run.OnRunExternalToggled();
}

void TimePage::onTimer(int id) {
    m_run.OnTimer(id);
}
