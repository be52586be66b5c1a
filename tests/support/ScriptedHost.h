#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "InitialContent.h"
#include "Notices.h"
#include "PageHost.h"

namespace ovantis::test {

// A page window without a window: controls are maps, and every notice, timer
// and file the core asks for is recorded for the test to inspect.
class ScriptedHost : public PageHost {
  public:
    explicit ScriptedHost(const InitialContent& content = {})
        : checks(content.checks.begin(), content.checks.end()),
          texts(content.texts.begin(), content.texts.end()),
          enabled(content.enabled.begin(), content.enabled.end()) {}

    int checkState(int id) override { return checks[id]; }
    std::string getText(int id) override { return texts[id]; }
    void setText(int id, const std::string& text) override { texts[id] = text; }
    void enable(int id, bool on) override { enabled[id] = on; }
    // Recorded as the Chinese window words it, figures ungrouped.
    void notice(const Notice& notice) override {
        std::vector<std::string> figures;
        for (const std::int64_t figure : notice.figures) {
            figures.push_back(std::to_string(figure));
        }
        const std::string text = notices::textOf(notice.text)->fill(Language::Chinese, figures) +
                                 (notice.detail.empty() ? "" : "\n" + notice.detail);
        notices.push_back(text);
        if (onNotice) {
            onNotice(text);
        }
    }
    void armTimer(int, int delayMs) override { delays.push_back(*(armedDelay = delayMs)); }
    void stopTimer(int) override { armedDelay.reset(); }
    std::optional<SystemReason> shellOpen(const std::string& text) override {
        opened.push_back(text);
        return text.starts_with("missing")
                   ? std::optional(SystemReason{SystemReason::Kind::NotOnPath, 0, {}})
                   : std::nullopt;
    }
    int programsRunning() override { return running; }
    // Names the code: the wording is the front ends' own.
    std::string describe(const SystemReason& reason) override {
        return "reason " + std::to_string(static_cast<int>(reason.kind)) + "/" +
               std::to_string(reason.error);
    }
    void showStop(int id, bool on) override { stopShown[id] = on; }
    std::optional<SaveChoice> chooseFileToSave(const SaveRequest& request) override {
        saveRequests.push_back(request);
        return chosenPath
                   ? std::optional(SaveChoice{*chosenPath, chosenFilter.value_or(request.selected)})
                   : std::nullopt;
    }
    WriteOutcome writeFile(const std::string& path, const std::string& bytes) override {
        return writeFailure ? WriteOutcome{false, *writeFailure}
                            : (files[path] = bytes, WriteOutcome{});
    }
    LocalTime localTimeNow() override { return now; }
    bool progress(std::int64_t done, std::int64_t) override {
        progressCalls.push_back(done);
        return cancelAt < 0 || done < cancelAt;
    }
    OutputLimit outputLimit() const override { return limit; }
    Language language() const override { return shownIn; }

    bool isEnabled(int id) const { return !enabled.count(id) || enabled.at(id); }

    std::map<int, int> checks;
    std::map<int, std::string> texts;
    std::map<int, bool> enabled;
    std::vector<std::string> notices;
    // Runs while a notice is "open", before it is dismissed.
    std::function<void(const std::string&)> onNotice;

    std::optional<int> armedDelay;    // the armed timer's delay, if armed
    std::vector<int> delays;          // every delay armed
    std::vector<std::string> opened;  // a name starting "missing" fails to open
    int running = 0;                  // programs still running
    std::map<int, bool> stopShown;

    std::optional<std::string> chosenPath;
    std::optional<std::size_t> chosenFilter;  // else the one the request shows chosen
    std::vector<SaveRequest> saveRequests;
    std::map<std::string, std::string> files;
    std::optional<SystemReason> writeFailure;

    LocalTime now;
    std::int64_t cancelAt = -1;  // progress answers cancel from this many lines on
    std::vector<std::int64_t> progressCalls;
    OutputLimit limit = OutputLimit::window();
    Language shownIn = Language::Chinese;
};

}  // namespace ovantis::test
