#include "Language.h"

#include <cctype>
#include <string>

namespace ovantis {

Language languageOf(std::string_view name, Language cLocale) {
    std::string lower(name);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::string_view n(lower);
    if (n.starts_with("zh")) {
        return Language::Chinese;
    }
    const bool c = n == "c" || n.starts_with("c.") || n == "posix";
    return c ? cLocale : Language::English;
}

Language chooseLanguage(std::initializer_list<const char*> localeVariables,
                        std::string_view desktop) {
    for (const char* value : localeVariables) {
        if (value != nullptr && *value != '\0') {
            return languageOf(value, Language::English);
        }
    }
    return languageOf(desktop, Language::English);
}

}  // namespace ovantis
