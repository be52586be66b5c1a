#pragma once

#include <optional>

#include "InitialContent.h"
#include "LinePage.h"
#include "StringGenerator.h"

namespace ovantis {

// The String page: settings read from its fields, lines from StringGenerator.
class StringPageLogic final : public LinePage {
  public:
    StringPageLogic(PageHost& host, RandomSource& random);

    static InitialContent initialContent();

    bool Validate() override;
    std::int64_t count() const override { return m_settings.count; }
    void appendLine(std::string& out) override { m_generator->appendLine(out); }
    std::int64_t maxLineBytes() const override { return m_generator->maxLineBytes(); }

  private:
    StringSettings m_settings;
    std::optional<StringGenerator> m_generator;
};

}  // namespace ovantis
