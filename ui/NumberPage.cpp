#include "NumberPage.h"

#include "BatchRun.h"
#include "ControlIds.h"
#include "ExportResult.h"
#include "NumberFields.h"

namespace {
namespace ids = ovantis::ids;
}  // namespace

NumberPage::NumberPage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(ovantis::kNumberFields, ovantis::kNumberControls, parent), m_logic(*this, random) {
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
