#pragma once

namespace ovantis::cli {

// Whether notices print in English: the first of LC_ALL, LC_MESSAGES and LANG
// that is set names an English locale. C, POSIX, Chinese and every other
// language keep the window's Chinese.
bool englishNotices();

// A notice of core/Notices.h in English, as the window's English translation
// words it; nullptr for any other text.
const char* english(const char* notice);

// notice in the language of the environment.
const char* localized(const char* notice);

}  // namespace ovantis::cli
