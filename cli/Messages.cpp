#include "Messages.h"

#include <cstdlib>

#include "CliTexts.h"
#include "Notices.h"
#include "UserLanguage.h"
#include "Version.h"

namespace ovantis::cli {

Language runLanguage(const sys::LocaleText& encoding) {
    const Language language =
        chooseLanguage({std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")},
                       sys::userLanguage());
    // The help's texts stand for the rest: simplified Chinese, with its
    // punctuation.
    const bool held = encoding.holds(version::kSummary.chinese()) &&
                      encoding.holds(texts::kSources.chinese()) &&
                      encoding.holds(texts::kTryHelp.chinese());
    return held ? language : Language::English;
}

std::string noticeIn(const char* notice, Language language) {
    const Text* text = notices::textOf(notice);
    std::string shown = text != nullptr ? text->in(language) : notice;
    for (const std::string_view stop : {".", "！"}) {
        if (shown.ends_with(stop)) {
            shown.resize(shown.size() - stop.size());
        }
    }
    return shown;
}

}  // namespace ovantis::cli
