#include "StringPage.h"

#include "BatchRun.h"
#include "ControlIds.h"
#include "ExportResult.h"

namespace {
namespace ids = ovantis::ids;
using Kind = ControlLayout::Kind;

const std::vector<ControlLayout> kTemplate = {
    {ids::kUpper, Kind::Check, 16, 14, 32, 10, QT_TRANSLATE_NOOP("Pages", "大写"), nullptr},
    {ids::kLower, Kind::Check, 58, 14, 32, 10, QT_TRANSLATE_NOOP("Pages", "小写"), nullptr},
    {ids::kDigits, Kind::Check, 100, 14, 32, 10, QT_TRANSLATE_NOOP("Pages", "数字"), nullptr},
    {ids::kHead, Kind::Field, 47, 29, 64, 14, nullptr, QT_TRANSLATE_NOOP("Pages", "头部")},
    {ids::kTail, Kind::Field, 47, 46, 64, 14, nullptr, QT_TRANSLATE_NOOP("Pages", "尾部")},
    {ids::kMinLength, Kind::DigitsField, 193, 29, 28, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "最小生成长度")},
    {ids::kMaxLength, Kind::DigitsField, 236, 29, 28, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "最大生成长度")},
    {ids::kStringCount, Kind::DigitsField, 193, 46, 28, 14, nullptr,
     QT_TRANSLATE_NOOP("Pages", "生成个数")},
    {ids::kStringOutput, Kind::Output, 16, 78, 249, 140, nullptr,
     QT_TRANSLATE_NOOP("Pages", "结果输出")},
    {ids::kStringGenerate, Kind::Button, 274, 187, 49, 14, QT_TRANSLATE_NOOP("Pages", "生成"),
     nullptr},
    {ids::kStringExport, Kind::Button, 274, 204, 49, 14, QT_TRANSLATE_NOOP("Pages", "导出"),
     nullptr},
    {ids::kNone, Kind::Label, 16, 32, 25, 8, QT_TRANSLATE_NOOP("Pages", "头部："), nullptr,
     ids::kHead},
    {ids::kNone, Kind::Label, 16, 48, 25, 8, QT_TRANSLATE_NOOP("Pages", "尾部："), nullptr,
     ids::kTail},
    {ids::kNone, Kind::Label, 151, 32, 41, 8, QT_TRANSLATE_NOOP("Pages", "生成长度："), nullptr,
     ids::kMinLength},
    {ids::kNone, Kind::Label, 151, 48, 41, 8, QT_TRANSLATE_NOOP("Pages", "生成个数："), nullptr,
     ids::kStringCount},
    {ids::kNone, Kind::Label, 225, 34, 8, 8, "~", nullptr, ids::kMaxLength},
    {ids::kNone, Kind::Label, 16, 67, 41, 8, QT_TRANSLATE_NOOP("Pages", "结果输出，"), nullptr,
     ids::kStringOutput},
};
}  // namespace

StringPage::StringPage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(kTemplate, ids::kStringGenerate, parent), m_logic(*this, random) {
    setObjectName(QStringLiteral("stringPage"));
    fill(ovantis::StringPageLogic::initialContent());
    onClick(ids::kStringGenerate, &StringPage::generate);
    onClick(ids::kStringExport, &StringPage::exportResult);
}

void StringPage::generate() {
    ovantis::BatchRun(m_logic);
}

void StringPage::exportResult() {
    ovantis::ExportResult(*this, m_logic.controls());
}
