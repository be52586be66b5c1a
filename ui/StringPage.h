#pragma once

#include "PageWindow.h"
#include "StringPageLogic.h"

class StringPage : public PageWindow {
    Q_OBJECT

  public:
    StringPage(ovantis::RandomSource& random, QWidget* parent);

    void generate();
    void exportResult();

  protected:
    void onTimer(int) override;

  private:
    ovantis::StringPageLogic m_logic;
};
