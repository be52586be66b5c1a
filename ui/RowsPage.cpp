#include "RowsPage.h"

#include <QComboBox>

#include "BatchRun.h"
#include "ControlIds.h"
#include "ExportResult.h"
#include "RowsFields.h"
#include "RowsSchema.h"

RowsPage::RowsPage(ovantis::RandomSource& random, QWidget* parent)
    : PageWindow(ovantis::kRowsFields, ovantis::kRowsControls, parent),
      m_logic(*this, random, ovantis::cli::pageOptions(language())) {
    setObjectName(QStringLiteral("rowsPage"));
    fill(ovantis::RowsPageLogic::initialContent());
    onClick(ovantis::kRowsControls.generate, &RowsPage::generate);
    onClick(ovantis::kRowsControls.exportButton, &RowsPage::exportResult);
    connect(qobject_cast<QComboBox*>(control(ovantis::ids::kRowsSchema)),
            &QComboBox::editTextChanged, this, [this] { m_logic.OnColumnsEdited(); });
    m_logic.OnTimer();
}

void RowsPage::generate() {
    ovantis::BatchRun(m_logic);
}

void RowsPage::exportResult() {
    ovantis::ExportResult(*this, m_logic.controls());
}

void RowsPage::onTimer(int) {
    m_logic.OnTimer();
}
