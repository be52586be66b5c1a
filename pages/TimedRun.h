#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "InitialContent.h"
#include "LinePage.h"
#include "ResultText.h"
#include "SystemReason.h"
#include "TimeSettings.h"

namespace ovantis {

// The Time page: a one-shot timer re-armed after every event, so the window
// stays responsive while a run lasts. Methods named after the page's
// operations are PascalCase; the others are ours.
class TimedRun {
  public:
    TimedRun(PageHost& host, RandomSource& random);
    TimedRun(const TimedRun&) = delete;
    TimedRun& operator=(const TimedRun&) = delete;

    static InitialContent initialContent();
    static PageControls controls();

    bool Validate();
    void StartTimedRun();
    // Ends a run at once, keeping the log so far; no success notice, but
    // failed launches are still named.
    void Stop();
    void OnTimer(int id);
    // Enables the command field exactly while run-external is checked.
    void OnRunExternalToggled();

    bool running() const { return m_running; }

  private:
    // Generate back; a notice when the run was whole or a launch failed.
    void finish(bool whole);

    PageHost& m_host;
    RandomSource& m_random;
    TimeSettings m_settings;
    ResultText m_log;
    std::int32_t m_fired = 0;
    std::int32_t m_failed = 0;  // launches that failed in this run
    std::optional<SystemReason> m_firstFailure;
    bool m_running = false;
};

}  // namespace ovantis
