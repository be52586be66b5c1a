#pragma once

#include "PageWindow.h"
#include "PatternPageLogic.h"

class PatternPage : public PageWindow {
    Q_OBJECT

  public:
    PatternPage(ovantis::RandomSource& random, QWidget* parent);

    void generate();
    void exportResult();

  protected:
    void onTimer(int id) override;

  private:
    ovantis::PatternPageLogic m_logic;
};
