#include <locale.h>
#include <string.h>

#include "ReasonText.h"
#include "ReasonTexts.h"

namespace ovantis::sys {
namespace {

// Opened once and kept: strerror_l's texts belong to the locale. "C" ignores
// LANGUAGE, so English stays English whatever else the user set.
locale_t localeOf(Language language) {
    static const locale_t english = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    static const locale_t chinese =
        ::newlocale(LC_CTYPE_MASK | LC_MESSAGES_MASK, "zh_CN.UTF-8", locale_t{});
    return language == Language::Chinese ? chinese : english;
}

// A Chinese translation holds ideographs (U+4E00 to U+9FFF); an untranslated
// text, or another language's that LANGUAGE put first, does not.
bool holdsChinese(const char* text) {
    for (; *text != '\0'; ++text) {
        const auto lead = static_cast<unsigned char>(*text);
        if (lead >= 0xE4 && lead <= 0xE9) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string systemWords(int error, Language language) {
    if (const locale_t locale = localeOf(language); locale != locale_t{}) {
        // strerror_l, unlike strerror, is safe beside other threads.
        const char* words = ::strerror_l(error, locale);
        if (language == Language::English || holdsChinese(words)) {
            return words;
        }
    }
    const Text* listed = reasons::errorText(error);
    return listed != nullptr ? listed->in(language)
                             : reasons::kSystemError.fill(language, {std::to_string(error)});
}

}  // namespace ovantis::sys
