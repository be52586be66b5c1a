#pragma once

#include <optional>

#include "InitialContent.h"
#include "LinePage.h"
#include "PatternGenerator.h"

namespace ovantis {

// The Pattern page: a template read from its field, lines drawn uniformly
// over the strings it matches, and what it gives shown as it is typed.
class PatternPageLogic final : public LinePage {
  public:
    // How long typing may pause before the template is counted again.
    static constexpr int kCountDelayMs = 150;

    PatternPageLogic(PageHost& host, RandomSource& random);

    static InitialContent initialContent();

    bool Validate() override;
    std::int64_t count() const override { return m_settings.count; }
    void appendLine(std::string& out) override { m_generator->appendLine(out); }
    std::int64_t maxLineBytes() const override { return m_generator->maxLineBytes(); }

    // The template changed: it is counted once typing pauses.
    void OnPatternEdited();
    // Shows the template's count and bits, or why it is refused.
    void OnTimer();

  private:
    // The template's generator, drawing from the page's source, or a refusal.
    Refusal build(const PatternSettings& settings);

    PatternSettings m_settings;
    // Without the secure source: a stream keyed from the current second, as
    // the classic source reaches few of a template's strings.
    std::optional<RandomSource> m_stream;
    std::optional<PatternGenerator> m_generator;
};

}  // namespace ovantis
