#pragma once

#include <string>
#include <string_view>

namespace ovantis::sys {

// The encoding of the user's locale (LC_ALL, LC_CTYPE, LANG, as the C library
// reads them) for the messages a run writes, which are made in UTF-8. Text
// passes as it is where the encoding is UTF-8, where it is the C locale's
// ASCII (which names none: the terminal's is unknown), where the locale is
// not installed, and on Windows, whose console is set to UTF-8.
class LocaleText {
  public:
    LocaleText();
    ~LocaleText();
    LocaleText(const LocaleText&) = delete;
    LocaleText& operator=(const LocaleText&) = delete;

    bool converts() const { return m_converter != nullptr; }
    // Whether the encoding has a place for every character of text.
    bool holds(std::string_view text) const;
    // text in the encoding; a character it has no place for becomes \uHHHH
    // (\UHHHHHHHH), a byte that is not UTF-8 \xHH.
    std::string convert(std::string_view text) const;

  private:
    void* m_converter = nullptr;  // the system's converter, where one is needed
};

}  // namespace ovantis::sys
