#include "NumberPage.h"

#include "BatchRun.h"
#include "ControlIds.h"
#include "ExportResult.h"

namespace {
namespace ids = ovantis::ids;
using Kind = ControlLayout::Kind;

const std::vector<ControlLayout> kTemplate = {
    {ids::kIntegerOn, Kind::Check, 16, 14, 32, 10, QT_TRANSLATE_NOOP("Pages", "整数"), nullptr},
    {ids::kDecimalOn, Kind::Check, 59, 14, 80, 10, QT_TRANSLATE_NOOP("Pages", "浮点数，保留小数"),
     nullptr},
    {ids::kLow, Kind::Field, 58, 29, 39, 14, nullptr, QT_TRANSLATE_NOOP("Pages", "数值下限")},
    {ids::kHigh, Kind::Field, 114, 29, 39, 14, nullptr, QT_TRANSLATE_NOOP("Pages", "数值上限")},
    {ids::kNumberCount, Kind::DigitsField, 58, 46, 39, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "生成个数")},
    {ids::kNumberOutput, Kind::Output, 16, 78, 249, 140, nullptr,
     QT_TRANSLATE_NOOP("Pages", "结果输出")},
    {ids::kNumberGenerate, Kind::Button, 274, 187, 49, 14, QT_TRANSLATE_NOOP("Pages", "生成"),
     nullptr},
    {ids::kNumberExport, Kind::Button, 274, 204, 49, 14, QT_TRANSLATE_NOOP("Pages", "导出"),
     nullptr},
    {ids::kNone, Kind::Label, 16, 32, 41, 8, QT_TRANSLATE_NOOP("Pages", "数值范围："), nullptr,
     ids::kLow},
    {ids::kNone, Kind::Label, 16, 48, 41, 8, QT_TRANSLATE_NOOP("Pages", "生成个数："), nullptr,
     ids::kNumberCount},
    {ids::kNone, Kind::Label, 103, 33, 8, 8, "~", nullptr, ids::kHigh},
    {ids::kNone, Kind::Label, 16, 67, 41, 8, QT_TRANSLATE_NOOP("Pages", "结果输出，"), nullptr,
     ids::kNumberOutput},
    {ids::kPlaces, Kind::DigitsField, 139, 12, 14, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "保留小数位数")},
    {ids::kNone, Kind::Label, 158, 14, 9, 8, QT_TRANSLATE_NOOP("Pages", "位"), nullptr,
     ids::kPlaces},
};
}  // namespace

NumberPage::NumberPage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(kTemplate, ids::kNumberGenerate, parent), m_logic(*this, random) {
    setObjectName(QStringLiteral("numberPage"));
    fill(ovantis::NumberPageLogic::initialContent());
    onClick(ids::kNumberGenerate, &NumberPage::generate);
    onClick(ids::kNumberExport, &NumberPage::exportResult);
    onToggle(ids::kDecimalOn, &NumberPage::floatToggled);
}

void NumberPage::generate() {
    ovantis::BatchRun(m_logic);
}

void NumberPage::exportResult() {
    ovantis::ExportResult(*this, m_logic.controls());
}

void NumberPage::floatToggled() {
    m_logic.OnFloatToggled();
}
