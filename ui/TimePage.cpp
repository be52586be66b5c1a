#include "TimePage.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "ControlIds.h"
#include "ExportResult.h"

namespace {
namespace ids = ovantis::ids;
using Kind = ControlLayout::Kind;

const std::vector<ControlLayout> kTemplate = {
    {ids::kRunExternal, Kind::Check, 16, 14, 68, 10, QT_TRANSLATE_NOOP("Pages", "执行外部程序:"),
     nullptr},
    {ids::kCommand, Kind::Field, 84, 12, 238, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "外部程序命令行")},
    {ids::kMinDelay, Kind::DigitsField, 58, 29, 39, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "最小发生间隔（毫秒）")},
    {ids::kMaxDelay, Kind::DigitsField, 114, 29, 39, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "最大发生间隔（毫秒）")},
    {ids::kCountEvents, Kind::DigitsField, 58, 46, 39, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "生成次数")},
    {ids::kTimeOutput, Kind::Output, 16, 78, 249, 140, nullptr,
     QT_TRANSLATE_NOOP("Pages", "结果输出")},
    {ids::kTimeGenerate, Kind::Button, 274, 187, 49, 14, QT_TRANSLATE_NOOP("Pages", "生成"),
     nullptr},
    {ids::kTimeExport, Kind::Button, 274, 204, 49, 14, QT_TRANSLATE_NOOP("Pages", "导出"), nullptr},
    {ids::kNone, Kind::Label, 16, 48, 41, 8, QT_TRANSLATE_NOOP("Pages", "生成次数："), nullptr,
     ids::kCountEvents},
    {ids::kNone, Kind::Label, 16, 32, 41, 8, QT_TRANSLATE_NOOP("Pages", "发生间隔："), nullptr,
     ids::kMinDelay},
    {ids::kNone, Kind::Label, 103, 33, 8, 8, "~", nullptr, ids::kMaxDelay},
    {ids::kNone, Kind::Label, 159, 32, 17, 8, QT_TRANSLATE_NOOP("Pages", "毫秒"), nullptr,
     ids::kMaxDelay},
    {ids::kNone, Kind::Label, 16, 67, 41, 8, QT_TRANSLATE_NOOP("Pages", "结果输出，"), nullptr,
     ids::kTimeOutput},
};
}  // namespace

TimePage::TimePage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(kTemplate, ids::kTimeGenerate, parent), m_run(*this, random) {
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
