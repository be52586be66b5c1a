#include "UserLanguage.h"

#include <windows.h>

#include "WinText.h"

namespace ovantis::sys {

std::string userLanguage() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    const int length = ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    const std::string locale = length > 1 ? toUtf8(std::wstring_view(name, length - 1)) : "";
    // "zh-CN" → "zh"
    return locale.substr(0, locale.find('-'));
}

}  // namespace ovantis::sys
