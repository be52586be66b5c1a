#include "PageField.h"

#include <charconv>
#include <utility>

namespace ovantis {

std::string shortestText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void assignText(std::string& target, std::string value) {
    target = std::move(value);
}

}  // namespace ovantis
