#include "TimedRun.h"

#include <algorithm>
#include <cstdio>

#include "Notices.h"
#include "SettingFields.h"

namespace ovantis {
namespace {
constexpr std::int64_t kLineBytes = 21;  // "YYYY-MM-DD   HH:MM:SS"
}

TimedRun::TimedRun(PageHost& host, RandomSource& random) : m_host(host), m_random(random) {}

const InitialContent& TimedRun::initialContent() {
    static const InitialContent content{
        {{ids::kMinDelay, "500"}, {ids::kMaxDelay, "3000"}, {ids::kCountEvents, "10"}},
        {{ids::kRunExternal, false}},
        {{ids::kCommand, false}}};
    return content;
}

bool TimedRun::Validate() {
    const int runExternal = m_host.checkState(ids::kRunExternal);
    std::string command = m_settings.command;
    if (runExternal != 0) {
        command = m_host.getText(ids::kCommand);
        if (command.empty()) {
            m_host.notice(notices::kNoCommand);
            return false;
        }
    }
    const std::int32_t minDelay = ReadIntField(m_host.getText(ids::kMinDelay));
    const std::int32_t maxDelay = ReadIntField(m_host.getText(ids::kMaxDelay));
    const std::int32_t count = ReadIntField(m_host.getText(ids::kCountEvents));
    if (maxDelay < minDelay) {
        m_host.notice(notices::kBadDelay);
        return false;
    }
    if (count <= 0) {
        m_host.notice(notices::kBadCount);
        return false;
    }
    m_settings.runExternal = runExternal;
    m_settings.command = std::move(command);
    m_settings.minDelay = minDelay;
    m_settings.maxDelay = maxDelay;
    m_settings.count = count;
    m_random.Reseed();
    return true;
}

void TimedRun::StartTimedRun() {
    // Generate is disabled during a run; a stray call must not restart it.
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
    const PageControls c = controls();
    m_host.enable(c.generate, false);
    m_host.setText(c.output, "");
    m_settings.log.clear();
    m_settings.fired = 0;
    m_running = true;
    m_host.armTimer(ids::kEventTimer, nextDelay());
}

void TimedRun::OnTimer(int id) {
    if (id != ids::kEventTimer) {
        return;
    }
    m_host.killTimer(ids::kEventTimer);
    if (!m_running) {
        return;
    }
    m_settings.log.append(formatTime(m_host.localTimeNow()));
    m_host.setText(controls().output, m_settings.log.text());
    if (m_settings.runExternal != 0) {
        m_host.shellOpen(m_settings.command);
    }
    ++m_settings.fired;
    if (m_settings.fired >= m_settings.count) {
        m_running = false;
        m_host.notice(notices::kGenerated);
        m_host.enable(controls().generate, true);
        return;
    }
    m_host.armTimer(ids::kEventTimer, nextDelay());
}

void TimedRun::OnRunExternalToggled() {
    m_host.enable(ids::kCommand, m_host.checkState(ids::kRunExternal) != 0);
}

std::string TimedRun::formatTime(const LocalTime& t) {
    char buffer[96];
    const int length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d   %02d:%02d:%02d",
                                     t.year, t.month, t.day, t.hour, t.minute, t.second);
    return std::string(buffer,
                       static_cast<std::size_t>(std::clamp(length, 0, int{sizeof buffer} - 1)));
}

int TimedRun::nextDelay() {
    // A pasted minus sign can make a delay negative; it counts as no delay.
    const std::int64_t delay = m_random.RandInRange(m_settings.minDelay, m_settings.maxDelay);
    return static_cast<int>(std::max<std::int64_t>(delay, 0));
}

}  // namespace ovantis
