#pragma once

#include <string>
#include <vector>

#include "Language.h"

namespace ovantis {

// One text in both languages. %1, %2 ... stand for values filled in later.
// Built at compile time only, where a text lacking a language, or whose
// languages take different placeholders, stops the build.
class Text {
  public:
    consteval Text(const char* chinese, const char* english)
        : m_chinese(chinese), m_english(english) {
        if (*chinese == '\0' || *english == '\0' ||
            placeholders(chinese) != placeholders(english)) {
            throw "a text needs both languages with the same placeholders";
        }
    }
    const char* in(Language language) const {
        return language == Language::Chinese ? m_chinese : m_english;
    }
    const char* chinese() const { return m_chinese; }
    const char* english() const { return m_english; }
    // The text with %1, %2 ... replaced by values, in order.
    std::string fill(Language language, const std::vector<std::string>& values = {}) const;

  private:
    // A bit per placeholder digit used.
    static constexpr unsigned placeholders(const char* text) {
        unsigned used = 0;
        for (; *text != '\0'; ++text) {
            if (text[0] == '%' && text[1] >= '1' && text[1] <= '9') {
                used |= 1u << (text[1] - '0');
            }
        }
        return used;
    }

    const char* m_chinese;
    const char* m_english;
};

}  // namespace ovantis
