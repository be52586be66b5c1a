#include "PatternPage.h"

#include <QComboBox>

#include "BatchRun.h"
#include "ControlIds.h"
#include "ExportResult.h"
#include "PatternFields.h"

PatternPage::PatternPage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(ovantis::kPatternFields, ovantis::kPatternControls, parent),
      m_logic(*this, random) {
    setObjectName(QStringLiteral("patternPage"));
    fill(ovantis::PatternPageLogic::initialContent());
    onClick(ovantis::kPatternControls.generate, &PatternPage::generate);
    onClick(ovantis::kPatternControls.exportButton, &PatternPage::exportResult);
    connect(qobject_cast<QComboBox*>(control(ovantis::ids::kPattern)), &QComboBox::editTextChanged,
            this, [this] { m_logic.OnPatternEdited(); });
    m_logic.OnTimer();
}

void PatternPage::generate() {
    ovantis::BatchRun(m_logic);
}

void PatternPage::exportResult() {
    ovantis::ExportResult(*this, m_logic.controls());
}

void PatternPage::onTimer(int) {
    m_logic.OnTimer();
}
