#pragma once

#include "PageWindow.h"
#include "RowsPageLogic.h"

class RowsPage : public PageWindow {
    Q_OBJECT

  public:
    RowsPage(ovantis::RandomSource& random, QWidget* parent);

    void generate();
    void exportResult();

  protected:
    void onTimer(int id) override;

  private:
    ovantis::RowsPageLogic m_logic;
};
