#include "StringPage.h"

#include "BatchRun.h"
#include "ControlIds.h"
#include "ExportResult.h"
#include "StringFields.h"

namespace {
namespace ids = ovantis::ids;
}  // namespace

StringPage::StringPage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(ovantis::kStringFields, ovantis::kStringControls, parent), m_logic(*this, random) {
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
