#include "StringSettings.h"

#include "CharacterSet.h"
#include "Notices.h"

namespace ovantis {

const char* check(const StringSettings& s) {
    std::vector<CharacterSet> classes;
    if (const char* notice = CharacterSet::build(s, classes)) {
        return notice;
    }
    if (s.maxLength < s.minLength) {
        return notices::kBadLength;
    }
    if (s.eachClass && s.maxLength < static_cast<std::int32_t>(classes.size())) {
        return notices::kBadLength;
    }
    if (s.count <= 0) {
        return notices::kBadCount;
    }
    return nullptr;
}

}  // namespace ovantis
