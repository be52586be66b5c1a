#include "PageField.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace ovantis {

std::string longName(const char* names) {
    const std::string_view all = names != nullptr ? names : "";
    return std::string(all.substr(all.rfind(',') + 1));
}

std::string shortestText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void assignText(std::string& target, std::string value) {
    target = std::move(value);
}

}  // namespace ovantis
