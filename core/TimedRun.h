#pragma once

#include <cstdint>
#include <string>

#include "ControlIds.h"
#include "InitialContent.h"
#include "LinePage.h"
#include "ResultText.h"

namespace ovantis {

struct TimeSettings {
    int runExternal = 0;
    std::string command;
    ResultText log;
    std::int32_t minDelay = 500;
    std::int32_t maxDelay = 3000;
    std::int32_t count = 10;
    std::int32_t fired = 0;
};

// The Time page: a one-shot timer re-armed after every event, so the window
// stays responsive while a run lasts.
class TimedRun {
  public:
    TimedRun(PageHost& host, RandomSource& random);
    TimedRun(const TimedRun&) = delete;
    TimedRun& operator=(const TimedRun&) = delete;

    static const InitialContent& initialContent();
    static PageControls controls() {
        return {ids::kTimeOutput, ids::kTimeGenerate, ids::kTimeExport};
    }

    bool Validate();
    void StartTimedRun();
    void OnTimer(int id);
    // Enables the command field exactly while run-external is checked.
    void OnRunExternalToggled();

    // The delay before the next event, in milliseconds, drawn from the source.
    int nextDelay();

    bool running() const { return m_running; }
    const TimeSettings& settings() const { return m_settings; }

    static std::string formatTime(const LocalTime& time);

  private:
    PageHost& m_host;
    RandomSource& m_random;
    TimeSettings m_settings;
    bool m_running = false;
};

}  // namespace ovantis
