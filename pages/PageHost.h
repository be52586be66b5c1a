#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Language.h"
#include "LocalTime.h"
#include "Notice.h"
#include "OutputLimit.h"
#include "StopCheck.h"
#include "SystemReason.h"

namespace ovantis {

struct FileFilter {
    std::string name;
    std::string pattern;
};

struct SaveRequest {
    std::string initialName;
    std::vector<FileFilter> filters;
    std::string defaultSuffix;
    bool confirmOverwrite = true;
    // The filter shown chosen at first.
    std::size_t selected = 0;
};

struct SaveChoice {
    std::string path;
    // Which of the request's filters was chosen.
    std::size_t filter = 0;
};

struct WriteOutcome {
    bool ok = true;
    SystemReason reason;
};

// Everything the page logic asks of a page window. The window pages implement
// it over real controls; the tests implement it without one.
class PageHost {
  public:
    virtual ~PageHost() = default;

    virtual int checkState(int id) = 0;
    virtual std::string getText(int id) = 0;
    virtual void setText(int id, const std::string& text) = 0;
    // The text only grew: it was whole[0, oldSize) and is now whole. A host
    // whose control still shows the old text may append just the rest.
    virtual void appendText(int id, const std::string& whole, std::size_t oldSize) {
        (void)oldSize;
        setText(id, whole);
    }
    virtual void enable(int id, bool on) = 0;
    // Returns once the user has dismissed it.
    virtual void notice(const Notice& notice) = 0;
    // Work that went well: a word that asks for no answer. A host without a
    // status line shows it as a notice.
    virtual void done(const Notice& word) { notice(word); }
    // One expiry per arming, delivered to the page's OnTimer.
    virtual void armTimer(int timerId, int delayMs) = 0;
    virtual void stopTimer(int timerId) = 0;
    // The text is one program or document name, never split or given to a shell.
    // Returns why it could not be opened, or nothing once it was.
    virtual std::optional<SystemReason> shellOpen(const std::string& text) = 0;
    // How many programs shellOpen started are still running.
    virtual int programsRunning() { return 0; }
    // A reason in the host's language, for a notice.
    virtual std::string describe(const SystemReason& reason) = 0;
    // Whether the text names an existing file, or a program on PATH.
    virtual bool exists(const std::string& text) { return !text.empty(); }
    // While on, the button reads Stop and stays enabled; off, its own text again.
    virtual void showStop(int buttonId, bool on) = 0;
    virtual std::optional<SaveChoice> chooseFileToSave(const SaveRequest& request) = 0;
    // Replaces the file whole; on failure an existing file is left as it was.
    virtual WriteOutcome writeFile(const std::string& path, const std::string& bytes) = 0;
    virtual LocalTime localTimeNow() = 0;

    // Calls step until it returns false. A window may return before that and
    // make the remaining calls from its own event loop, so it keeps answering
    // between them; nothing else may run the page meanwhile.
    virtual void repeat(std::function<bool()> step) {
        while (step()) {
        }
    }
    // Runs work, then done on the page's own thread. Work touches nothing of
    // the page, so a window may run it on another thread and return at once.
    // A newer call for the same job stops the older one: its stop answers
    // true and its done never comes, nor does any once the page has closed.
    virtual void runAside(int job, std::function<void(const StopCheck&)> work,
                          std::function<void()> done) {
        (void)job;
        work({});
        done();
    }
    // Called as a batch starts (done 0) and every few thousand lines after;
    // false cancels it. endProgress follows once the lines are in the box.
    virtual bool progress(std::int64_t done, std::int64_t total) = 0;
    virtual void endProgress() {}
    // What one run may put into an output box.
    virtual OutputLimit outputLimit() const { return OutputLimit::window(); }
    // The language the page's own texts are shown in.
    virtual Language language() const { return Language::Chinese; }
};

}  // namespace ovantis
