#pragma once

#include <initializer_list>
#include <string_view>

namespace ovantis {

enum class Language { Chinese, English };

// The language of a command-line run: the first of the locale variables that
// is set (LC_ALL, LC_MESSAGES, LANG, in that order) decides, Chinese for a
// Chinese locale and English for every other, C and POSIX included; with none
// set, the desktop's language ("zh", "en" or empty) decides the same way.
Language chooseLanguage(std::initializer_list<const char*> localeVariables,
                        std::string_view desktop);

}  // namespace ovantis
