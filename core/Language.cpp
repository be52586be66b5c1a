#include "Language.h"

namespace ovantis {

Language chooseLanguage(std::initializer_list<const char*> localeVariables,
                        std::string_view desktop) {
    for (const char* value : localeVariables) {
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("zh") ? Language::Chinese
                                                             : Language::English;
        }
    }
    return desktop.starts_with("zh") ? Language::Chinese : Language::English;
}

}  // namespace ovantis
