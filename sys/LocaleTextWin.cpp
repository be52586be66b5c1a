#include "LocaleText.h"

namespace ovantis::sys {

// The console takes UTF-8 (CommandLine sets its code page), so nothing converts.
LocaleText::LocaleText() = default;

LocaleText::~LocaleText() = default;

bool LocaleText::holds(std::string_view) const {
    return true;
}

std::string LocaleText::convert(std::string_view text) const {
    return std::string(text);
}

}  // namespace ovantis::sys
