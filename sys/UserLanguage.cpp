#include "UserLanguage.h"

namespace ovantis::sys {

std::string userLanguage() {
    return {};
}

}  // namespace ovantis::sys
