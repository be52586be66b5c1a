#pragma once

#include "PageWindow.h"
#include "TimedRun.h"

class TimePage : public PageWindow {
    Q_OBJECT

  public:
    TimePage(ovantis::RandomSource& random, QWidget* parent);

    void generate();
    void exportResult();
    void runExternalToggled();
    bool running() const { return m_run.running(); }
    // Ends a run at once, keeping its lines.
    void stop() { m_run.Stop(); }

  protected:
    void onTimer(int id) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ovantis::TimedRun m_run;
};
