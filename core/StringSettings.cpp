#include "StringSettings.h"

#include "Notices.h"

namespace ovantis {

const char* check(const StringSettings& s) {
    if (!s.upper && !s.lower && !s.digits) {
        return notices::kNoCharClass;
    }
    if (s.maxLength < s.minLength) {
        return notices::kBadLength;
    }
    if (s.count <= 0) {
        return notices::kBadCount;
    }
    return nullptr;
}

}  // namespace ovantis
