#pragma once

#include <string>
#include <string_view>

namespace ovantis {

inline constexpr std::string_view LINE_END = "\r\n";

// The text of one run: each line followed by CR LF, nothing else.
class ResultText {
  public:
    void append(std::string_view line) {
        m_text.append(line);
        endLine();
    }
    // For line makers that write straight into the text.
    std::string& open() { return m_text; }
    void endLine() { m_text.append(LINE_END); }
    void clear() { m_text.clear(); }
    const std::string& text() const { return m_text; }

  private:
    std::string m_text;
};

}  // namespace ovantis
