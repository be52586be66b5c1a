#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Refusal.h"

namespace ovantis {

// Distinct words to draw passphrases from: the built-in English list, or
// one read from a user's text, a word a line.
class WordList {
  public:
    // Beyond this a list is refused, so a wrong file cannot exhaust memory.
    static constexpr std::size_t kMostWords = std::size_t{1} << 24;

    // The EFF large list: 7,776 words.
    static const WordList& builtIn();
    // Reads text (LF or CRLF line ends, blank lines skipped); a line that is
    // no word refuses the list with its number. A repeated word counts once.
    // The list keeps the text itself, so a long list is held once.
    static Refusal read(std::string text, WordList& list);

    std::size_t size() const { return m_starts.size(); }
    std::string_view word(std::size_t i) const {
        return std::string_view(m_text).substr(m_starts[i], m_lengths[i]);
    }
    std::size_t longest() const { return m_longest; }

  private:
    std::string m_text;
    std::vector<std::uint32_t> m_starts;
    std::vector<std::uint16_t> m_lengths;
    std::size_t m_longest = 0;
};

}  // namespace ovantis
