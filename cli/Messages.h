#pragma once

#include <string>

#include "Language.h"

namespace ovantis::cli {

// The language of this run, from the locale variables or else the desktop.
Language runLanguage();

// A notice of pages/Notices.h in the language, without its closing stop, so
// the reason can follow it after a colon.
std::string noticeIn(const char* notice, Language language);

}  // namespace ovantis::cli
