#include "NumberPage.h"

#include "BatchRun.h"
#include "ExportResult.h"

namespace {
using Kind = ControlLayout::Kind;

const std::vector<ControlLayout> kTemplate = {
    {1018, Kind::Check, 16, 14, 32, 10, "整数", nullptr},
    {1019, Kind::Check, 59, 14, 80, 10, "浮点数，保留小数", nullptr},
    {1020, Kind::Field, 58, 29, 39, 14, nullptr, "数值范围："},
    {1021, Kind::Field, 114, 29, 39, 14, nullptr, "数值范围：~"},
    {1022, Kind::DigitsField, 58, 46, 39, 14, nullptr, "生成个数："},
    {1026, Kind::Output, 16, 78, 249, 140, nullptr, "结果输出，"},
    {1024, Kind::Button, 274, 187, 49, 14, "生成", nullptr},
    {1025, Kind::Button, 274, 204, 49, 14, "导出", nullptr},
    {0, Kind::Label, 16, 32, 41, 8, "数值范围：", nullptr},
    {0, Kind::Label, 16, 48, 41, 8, "生成个数：", nullptr},
    {0, Kind::Label, 103, 33, 8, 8, "~", nullptr},
    {0, Kind::Label, 16, 67, 41, 8, "结果输出，", nullptr},
    {1023, Kind::DigitsField, 139, 12, 14, 14, nullptr, "位"},
    {0, Kind::Label, 158, 14, 9, 8, "位", nullptr},
};
}  // namespace

NumberPage::NumberPage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(kTemplate, parent), m_generator(*this, random) {
    setObjectName(QStringLiteral("numberPage"));
    fill(ovantis::NumberGenerator::initialContent());
    onClick(1024, &NumberPage::generate);
    onClick(1025, &NumberPage::exportResult);
    onClick(1019, &NumberPage::floatToggled);
}

void NumberPage::generate() {
    ovantis::BatchRun(m_generator);
}

void NumberPage::exportResult() {
    ovantis::ExportResult(*this, m_generator.controls());
}

void NumberPage::floatToggled() {
    m_generator.OnFloatToggled();
}
