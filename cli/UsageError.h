#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "Text.h"

namespace ovantis::cli {

// A mistake in the command line: exit status 2 with this message, told in
// the run's language where it is caught.
class UsageError : public std::runtime_error {
  public:
    UsageError(const Text& text, std::vector<std::string> values)
        : std::runtime_error(text.fill(Language::English, values)),
          m_text(&text),
          m_values(std::move(values)) {}
    std::string in(Language language) const { return m_text->fill(language, m_values); }
    bool is(const Text& text) const { return m_text == &text; }

  private:
    const Text* m_text;
    std::vector<std::string> m_values;
};

}  // namespace ovantis::cli
