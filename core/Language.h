#pragma once

#include <initializer_list>
#include <string_view>

namespace ovantis {

enum class Language { Chinese, English };

// The language a locale or language name ("zh_CN.UTF-8", "en-GB") speaks:
// Chinese for a Chinese one and English for every other. The C and POSIX
// locales name no language; each front end says what they speak.
Language languageOf(std::string_view name, Language cLocale);

// The language of a command-line run: the first of the locale variables that
// is set (LC_ALL, LC_MESSAGES, LANG, in that order) decides, C and POSIX
// speaking English, as scripts and containers run there; with none set, the
// desktop's language ("zh", "en" or empty) decides the same way.
Language chooseLanguage(std::initializer_list<const char*> localeVariables,
                        std::string_view desktop);

}  // namespace ovantis
