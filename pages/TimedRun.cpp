#include "TimedRun.h"

#include "ControlIds.h"
#include "Notices.h"
#include "SettingsCheck.h"
#include "TimeFields.h"

namespace ovantis {
namespace {
constexpr std::int64_t kLineBytes = 21;  // "YYYY-MM-DD   HH:MM:SS"
// How often an event waiting for a program to end looks again.
constexpr int kRoomPollMs = 50;
}  // namespace

TimedRun::TimedRun(PageHost& host, RandomSource& random) : m_host(host), m_random(random) {}

InitialContent TimedRun::initialContent() {
    return initialContentOf<TimeSettings>(kTimeFields);
}

PageControls TimedRun::controls() {
    return kTimeControls;
}

bool TimedRun::Validate() {
    Refusal refused;
    const TimeSettings s = readFields<TimeSettings>(kTimeFields, m_host, refused);
    if (const Refusal refusal = refused ? refused : check(s)) {
        m_host.notice({refusal.notice});
        return false;
    }
    // "xmessage hallo" is a program and an argument, which would fail at
    // every event and be named only after the whole run.
    if (s.runExternal && s.command.find(' ') != std::string::npos && !m_host.exists(s.command)) {
        m_host.notice({notices::kCommandWithArguments, {}, s.command});
        return false;
    }
    m_settings = s;
    m_random.Reseed();
    return true;
}

void TimedRun::StartTimedRun() {
    // Generate reads Stop during a run; a stray call must not restart it.
    if (m_running) {
        return;
    }
    const std::uint32_t before = m_random.snapshot();
    if (!Validate()) {
        return;
    }
    const OutputLimit limit = m_host.outputLimit();
    if (!limit.fits(m_settings.count, kLineBytes)) {
        m_random.restore(before);
        m_host.notice(limit.notice());
        return;
    }
    m_host.showStop(ids::kTimeGenerate, true);
    m_host.setText(ids::kTimeOutput, "");
    m_log.clear();
    m_fired = 0;
    m_failed = 0;
    m_firstFailure.reset();
    m_running = true;
    m_host.armTimer(ids::kEventTimer, drawDelay(m_settings, m_random));
}

void TimedRun::OnTimer(int id) {
    if (id != ids::kEventTimer) {
        return;
    }
    m_host.stopTimer(ids::kEventTimer);
    if (!m_running) {
        return;
    }
    // One program too many: the event, line and all, waits for one to end.
    if (m_settings.runExternal && m_host.programsRunning() >= kMostProgramsRunning) {
        m_host.armTimer(ids::kEventTimer, kRoomPollMs);
        return;
    }
    const std::size_t before = m_log.text().size();
    m_log.append(eventLine(m_host.localTimeNow()));
    m_host.appendText(ids::kTimeOutput, m_log.text(), before);
    if (m_settings.runExternal) {
        if (auto reason = m_host.shellOpen(m_settings.command); reason && m_failed++ == 0) {
            m_firstFailure = std::move(reason);
        }
    }
    ++m_fired;
    if (m_fired >= m_settings.count) {
        finish(true);
        return;
    }
    m_host.armTimer(ids::kEventTimer, drawDelay(m_settings, m_random));
}

void TimedRun::Stop() {
    if (m_running) {
        m_host.stopTimer(ids::kEventTimer);
        finish(false);
    }
}

void TimedRun::finish(bool whole) {
    m_running = false;
    m_host.showStop(ids::kTimeGenerate, false);
    if (m_failed > 0) {
        m_host.notice({notices::kLaunchFailed,
                       {m_failed, m_fired},
                       m_settings.command + ": " + m_host.describe(*m_firstFailure)});
    } else if (whole) {
        m_host.done({notices::kGenerated});
    }
}

void TimedRun::OnRunExternalToggled() {
    enableFields<TimeSettings>(kTimeFields, m_host);
}

}  // namespace ovantis
