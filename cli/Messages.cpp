#include "Messages.h"

#include <cstdlib>

#include "Notices.h"
#include "UserLanguage.h"

namespace ovantis::cli {

Language runLanguage() {
    return chooseLanguage({std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")},
                          sys::userLanguage());
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
