#include "Text.h"

namespace ovantis {

std::string Text::fill(Language language, const std::vector<std::string>& given) const {
    std::string out;
    for (const char* c = in(language); *c != '\0'; ++c) {
        const auto index = static_cast<std::size_t>(c[1] - '1');
        if (c[0] == '%' && c[1] >= '1' && c[1] <= '9' && index < given.size()) {
            out += given[index];
            ++c;
        } else {
            out += *c;
        }
    }
    return out;
}

}  // namespace ovantis
