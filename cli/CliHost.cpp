#include "CliHost.h"

#include <ctime>
#include <limits>

#include "Interrupt.h"
#include "ShellOpener.h"

namespace ovantis::cli {

CliHost::CliHost(const InitialContent& content, std::ostream& err) : m_err(err) {
    for (const auto& [id, text] : content.texts) {
        m_texts[id] = text;
    }
    for (const auto& [id, on] : content.checks) {
        setCheck(id, on);
    }
}

int CliHost::checkState(int id) {
    const auto it = m_checks.find(id);
    return it == m_checks.end() ? 0 : it->second;
}

std::string CliHost::getText(int id) {
    const auto it = m_texts.find(id);
    return it == m_texts.end() ? std::string() : it->second;
}

void CliHost::notice(const std::string& text) {
    m_err << text << '\n';
}

void CliHost::shellOpen(const std::string& text) {
    ShellOpener::open(text);
}

WriteOutcome CliHost::writeFile(const std::string&, const std::string&) {
    return {false, "not available on the command line"};
}

LocalTime CliHost::localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

bool CliHost::progress(std::int64_t, std::int64_t) {
    return !interrupted();
}

OutputLimit CliHost::outputLimit() const {
    // The command line streams, so no run is too large for it.
    return {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max()};
}

}  // namespace ovantis::cli
