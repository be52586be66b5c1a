#include "ScriptedHost.h"

namespace ovantis::test {

ScriptedHost::ScriptedHost(const InitialContent& content) {
    for (const auto& [id, text] : content.texts) {
        texts[id] = text;
    }
    for (const auto& [id, on] : content.checks) {
        checks[id] = on ? 1 : 0;
    }
    for (const auto& [id, on] : content.enabled) {
        enabled[id] = on;
    }
}

int ScriptedHost::checkState(int id) {
    return checks.count(id) != 0 ? checks[id] : 0;
}

std::string ScriptedHost::getText(int id) {
    return texts.count(id) != 0 ? texts[id] : std::string();
}

void ScriptedHost::setText(int id, const std::string& text) {
    texts[id] = text;
}

void ScriptedHost::enable(int id, bool on) {
    enabled[id] = on;
}

bool ScriptedHost::isEnabled(int id) const {
    const auto it = enabled.find(id);
    return it == enabled.end() || it->second;
}

void ScriptedHost::notice(const std::string& text) {
    notices.push_back(text);
    if (onNotice) {
        onNotice(text);
    }
}

void ScriptedHost::armTimer(int, int delayMs) {
    armedDelay = delayMs;
    delays.push_back(delayMs);
}

void ScriptedHost::stopTimer(int) {
    armedDelay.reset();
}

void ScriptedHost::shellOpen(const std::string& text) {
    opened.push_back(text);
}

std::optional<std::string> ScriptedHost::chooseFileToSave(const SaveRequest& request) {
    saveRequests.push_back(request);
    return chosenPath;
}

WriteOutcome ScriptedHost::writeFile(const std::string& path, const std::string& bytes) {
    if (writeFailure) {
        return {false, *writeFailure};
    }
    files[path] = bytes;
    return {};
}

bool ScriptedHost::progress(std::int64_t done, std::int64_t) {
    progressCalls.push_back(done);
    return cancelAt < 0 || done < cancelAt;
}

}  // namespace ovantis::test
