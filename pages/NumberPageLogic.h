#pragma once

#include <optional>

#include "InitialContent.h"
#include "LinePage.h"
#include "NumberGenerator.h"

namespace ovantis {

// The Number page: settings read from its fields, lines from NumberGenerator.
class NumberPageLogic final : public LinePage {
  public:
    NumberPageLogic(PageHost& host, RandomSource& random);

    static InitialContent initialContent();

    bool Validate() override;
    std::int64_t count() const override { return m_settings.count; }
    void appendLine(std::string& out) override { m_generator->appendLine(out); }
    std::int64_t maxLineBytes() const override { return m_generator->maxLineBytes(); }
    // Enables the places field exactly while decimals are checked.
    void OnFloatToggled();

  private:
    NumberSettings m_settings;
    std::optional<NumberGenerator> m_generator;
};

}  // namespace ovantis
