#include "ScriptedHost.h"

namespace ovantis::test {

ScriptedHost::ScriptedHost(const InitialContent& content)
    : texts(content.texts.begin(), content.texts.end()),
      enabled(content.enabled.begin(), content.enabled.end()) {
    for (const auto& [id, on] : content.checks) {
        checks[id] = on;
    }
}

void ScriptedHost::notice(const std::string& text) {
    notices.push_back(text);
    if (onNotice) {
        onNotice(text);
    }
}

WriteOutcome ScriptedHost::writeFile(const std::string& path, const std::string& bytes) {
    if (writeFailure) {
        return {false, *writeFailure};
    }
    files[path] = bytes;
    return {};
}

}  // namespace ovantis::test
