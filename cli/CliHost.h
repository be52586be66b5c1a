#pragma once

#include <map>
#include <ostream>
#include <string>

#include "InitialContent.h"
#include "PageHost.h"

namespace ovantis::cli {

// A page without a window: the options are the controls' contents and notices
// go to the error stream.
class CliHost : public PageHost {
  public:
    CliHost(const InitialContent& content, std::ostream& err);

    void setCheck(int id, bool on) { m_checks[id] = on ? 1 : 0; }

    int checkState(int id) override;
    std::string getText(int id) override;
    void setText(int id, const std::string& text) override { m_texts[id] = text; }
    void enable(int, bool) override {}
    void notice(const std::string& text) override;
    void armTimer(int, int) override {}
    void killTimer(int) override {}
    void shellOpen(const std::string& text) override;
    std::optional<std::string> chooseFileToSave(const SaveRequest&) override {
        return std::nullopt;
    }
    WriteOutcome writeFile(const std::string&, const std::string&) override;
    LocalTime localTimeNow() override;
    bool progress(std::int64_t, std::int64_t) override;
    OutputLimit outputLimit() const override;

  private:
    std::map<int, int> m_checks;
    std::map<int, std::string> m_texts;
    std::ostream& m_err;
};

}  // namespace ovantis::cli
