#include "StringPage.h"

#include "BatchRun.h"
#include "ExportResult.h"

namespace {
using Kind = ControlLayout::Kind;

const std::vector<ControlLayout> kTemplate = {
    {1002, Kind::Check, 16, 14, 32, 10, "大写", nullptr},
    {1003, Kind::Check, 58, 14, 32, 10, "小写", nullptr},
    {1004, Kind::Check, 100, 14, 32, 10, "数字", nullptr},
    {1005, Kind::Field, 47, 29, 64, 14, nullptr, "头部："},
    {1006, Kind::Field, 47, 46, 64, 14, nullptr, "尾部："},
    {1015, Kind::DigitsField, 193, 29, 28, 14, nullptr, "生成长度："},
    {1016, Kind::DigitsField, 236, 29, 28, 14, nullptr, "生成长度：~"},
    {1017, Kind::DigitsField, 193, 46, 28, 14, nullptr, "生成个数："},
    {1010, Kind::Output, 16, 78, 249, 140, nullptr, "结果输出，"},
    {1011, Kind::Button, 274, 187, 49, 14, "生成", nullptr},
    {1012, Kind::Button, 274, 204, 49, 14, "导出", nullptr},
    {0, Kind::Label, 16, 32, 25, 8, "头部：", nullptr},
    {0, Kind::Label, 16, 48, 25, 8, "尾部：", nullptr},
    {0, Kind::Label, 151, 32, 41, 8, "生成长度：", nullptr},
    {0, Kind::Label, 151, 48, 41, 8, "生成个数：", nullptr},
    {0, Kind::Label, 225, 34, 8, 8, "~", nullptr},
    {0, Kind::Label, 16, 67, 41, 8, "结果输出，", nullptr},
};
}  // namespace

StringPage::StringPage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(kTemplate, parent), m_generator(*this, random) {
    setObjectName(QStringLiteral("stringPage"));
    fill(ovantis::StringGenerator::initialContent());
    onClick(1011, &StringPage::generate);
    onClick(1012, &StringPage::exportResult);
}

void StringPage::generate() {
    ovantis::BatchRun(m_generator);
}

void StringPage::exportResult() {
    ovantis::ExportResult(*this, m_generator.controls());
}
