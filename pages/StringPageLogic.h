#pragma once

#include <optional>

#include "InitialContent.h"
#include "LinePage.h"
#include "StringGenerator.h"

namespace ovantis {

// The String page: settings read from its fields, lines from StringGenerator,
// and how many lines they allow shown as they are set.
class StringPageLogic final : public LinePage {
  public:
    // How long editing may pause before the lines are counted again.
    static constexpr int kCountDelayMs = 150;
    // The host's one job: a newer count stops an older one.
    static constexpr int kCountJob = 0;

    StringPageLogic(PageHost& host, RandomSource& random);

    static InitialContent initialContent();

    bool Validate() override;
    std::int64_t count() const override { return m_settings.count; }
    void appendLine(std::string& out) override { m_generator->appendLine(out); }
    std::int64_t maxLineBytes() const override { return m_generator->maxLineBytes(); }

    // A field that changes the count changed: it is counted once editing pauses.
    void OnFieldsEdited();
    // Shows how many lines the fields allow and their bits; nothing while
    // they are refused, as Generate tells why.
    void OnTimer();

  private:
    StringSettings m_settings;
    std::optional<StringGenerator> m_generator;
};

}  // namespace ovantis
