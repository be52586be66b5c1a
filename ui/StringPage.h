#pragma once

#include "PageWindow.h"
#include "StringGenerator.h"

class StringPage : public PageWindow {
    Q_OBJECT

  public:
    StringPage(ovantis::RandomSource& random, QWidget* parent);

    void generate();
    void exportResult();

  private:
    ovantis::StringGenerator m_generator;
};
