#pragma once

#include <string>

#include "Language.h"
#include "LocaleText.h"

namespace ovantis::cli {

// The language of this run, from the locale variables or else the desktop;
// English where the locale's encoding cannot hold the Chinese texts (a
// Chinese locale in Big5 or Latin-1).
Language runLanguage(const sys::LocaleText& encoding);

// A notice of pages/Notices.h in the language, without its closing stop, so
// the reason can follow it after a colon.
std::string noticeIn(const char* notice, Language language);

}  // namespace ovantis::cli
