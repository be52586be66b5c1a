#include "TimePage.h"

#include "ExportResult.h"

namespace {
using Kind = ControlLayout::Kind;

const std::vector<ControlLayout> kTemplate = {
    {1014, Kind::Check, 16, 14, 68, 10, "执行外部程序:", nullptr},
    {1013, Kind::Field, 84, 12, 238, 14, nullptr, "执行外部程序:"},
    {1007, Kind::DigitsField, 58, 29, 39, 14, nullptr, "发生间隔："},
    {1009, Kind::DigitsField, 114, 29, 39, 14, nullptr, "发生间隔：~"},
    {1008, Kind::DigitsField, 58, 46, 39, 14, nullptr, "生成次数："},
    {1027, Kind::Output, 16, 78, 249, 140, nullptr, "结果输出，"},
    {1028, Kind::Button, 274, 187, 49, 14, "生成", nullptr},
    {1029, Kind::Button, 274, 204, 49, 14, "导出", nullptr},
    {0, Kind::Label, 16, 48, 41, 8, "生成次数：", nullptr},
    {0, Kind::Label, 16, 32, 41, 8, "发生间隔：", nullptr},
    {0, Kind::Label, 103, 33, 8, 8, "~", nullptr},
    {0, Kind::Label, 159, 32, 17, 8, "毫秒", nullptr},
    {0, Kind::Label, 16, 67, 41, 8, "结果输出，", nullptr},
};
}  // namespace

TimePage::TimePage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(kTemplate, parent), m_run(*this, random) {
    setObjectName(QStringLiteral("timePage"));
    fill(ovantis::TimedRun::initialContent());
    onClick(1028, &TimePage::generate);
    onClick(1029, &TimePage::exportResult);
    onClick(1014, &TimePage::runExternalToggled);
}

void TimePage::generate() {
    m_run.StartTimedRun();
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
