#pragma once

#include <functional>
#include <memory>

#include "InitialContent.h"
#include "LinePage.h"
#include "PatternGenerator.h"

namespace ovantis {

// The Pattern page: a template read from its field, lines drawn uniformly
// over the strings it matches, and what it gives shown as it is typed. A
// template may take a while to count, so both the count and the check at
// Generate run aside from the page.
class PatternPageLogic final : public LinePage {
  public:
    // How long typing may pause before the template is counted again.
    static constexpr int kCountDelayMs = 150;
    // The host's jobs: a newer count stops an older one, and so does a newer check.
    enum Job { kCountJob, kCheckJob };

    PatternPageLogic(PageHost& host, RandomSource& random);

    static InitialContent initialContent();

    bool Validate() override;
    void ValidateThen(std::function<void(bool)> then) override;
    std::int64_t count() const override { return m_settings.count; }
    void appendLine(std::string& out) override;
    std::int64_t maxLineBytes() const override;
    std::optional<std::time_t> seed() const override;

    // The template changed: it is counted once typing pauses.
    void OnPatternEdited();
    // Shows the template's count and bits, or why it is refused.
    void OnTimer();

    // A template's generator with the source it draws from.
    struct Built;

  private:
    // The settings as read, with any refusal of the fields themselves.
    Refusal read(PatternSettings& settings);
    // Keeps what was built, or shows why not.
    bool accept(const PatternSettings& settings, std::shared_ptr<Built> built);

    PatternSettings m_settings;
    std::shared_ptr<Built> m_built;
};

}  // namespace ovantis
