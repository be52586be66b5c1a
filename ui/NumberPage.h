#pragma once

#include "NumberPageLogic.h"
#include "PageWindow.h"

class NumberPage : public PageWindow {
    Q_OBJECT

  public:
    NumberPage(ovantis::RandomSource& random, QWidget* parent);

    void generate();
    void exportResult();
    void floatToggled();

  private:
    ovantis::NumberPageLogic m_logic;
};
