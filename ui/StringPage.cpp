#include "StringPage.h"

#include <QLineEdit>

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
    const int counted[] = {ids::kUpper,     ids::kLower,     ids::kDigits,    ids::kSymbols,
                           ids::kNoSimilar, ids::kEachClass, ids::kPassphrase};
    for (const int id : counted) {
        connect(qobject_cast<QAbstractButton*>(control(id)), &QAbstractButton::toggled, this,
                [this] { m_logic.OnFieldsEdited(); });
    }
    for (const int id : {ids::kMinLength, ids::kMaxLength}) {
        connect(qobject_cast<QLineEdit*>(control(id)), &QLineEdit::textChanged, this,
                [this] { m_logic.OnFieldsEdited(); });
    }
    m_logic.OnTimer();
}

void StringPage::onTimer(int) {
    m_logic.OnTimer();
}

void StringPage::generate() {
    ovantis::BatchRun(m_logic);
}

void StringPage::exportResult() {
    ovantis::ExportResult(*this, m_logic.controls());
}
