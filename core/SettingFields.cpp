#include "SettingFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace ovantis {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text without the white space around it.
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Takes an optional sign; returns true for '-'.
bool takeSign(std::string_view text, std::size_t& pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        return text[pos++] == '-';
    }
    return false;
}

// Decimal magnitude of an out-of-range number: > 0 means it overflowed.
long long decimalMagnitude(std::string_view mantissa, long long exponent) {
    const std::size_t point = mantissa.find('.');
    const std::size_t intDigits = point == std::string_view::npos ? mantissa.size() : point;
    long long position = static_cast<long long>(intDigits);
    for (char c : mantissa) {
        if (c == '.') {
            continue;
        }
        if (c != '0') {
            return position + exponent;
        }
        --position;
    }
    return std::numeric_limits<long long>::min();  // all zeros
}

float toSingle(double value) {
    // Values past FLT_MAX by at least half an ulp round to infinity.
    constexpr double kOverflow = 340282356779733661637539395458142568448.0;  // 2^128 - 2^103
    const float sign = value < 0 ? -1.0f : 1.0f;
    const double magnitude = std::fabs(value);
    if (magnitude >= kOverflow) {
        return sign * std::numeric_limits<float>::infinity();
    }
    if (magnitude > std::numeric_limits<float>::max()) {
        return sign * std::numeric_limits<float>::max();
    }
    return static_cast<float>(value);
}

}  // namespace

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

std::optional<std::int32_t> ReadIntField(std::string_view field) {
    const std::string_view text = trimmed(field);
    if (text.empty()) {
        return 0;
    }
    std::size_t pos = 0;
    const bool negative = takeSign(text, pos);
    if (pos == text.size() || skipDigits(text, pos) != text.size()) {
        return std::nullopt;
    }
    const std::int64_t limit = negative ? std::int64_t{2147483648} : std::int64_t{2147483647};
    std::int64_t value = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > limit) {
            value = limit;
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<TypedNumber> scanNumber(std::string_view field) {
    const std::string_view text = trimmed(field);
    TypedNumber n;
    if (text.empty()) {
        return n;
    }
    std::size_t pos = 0;
    n.negative = takeSign(text, pos);
    const std::size_t start = pos;
    std::size_t end = skipDigits(text, pos);
    bool anyDigit = end > start;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = skipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    n.mantissa = text.substr(start, end - start);
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t expPos = end + 1;
        bool expNegative = false;
        if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-')) {
            expNegative = text[expPos++] == '-';
        }
        const std::size_t expEnd = skipDigits(text, expPos);
        if (expEnd == expPos) {
            return std::nullopt;
        }
        for (std::size_t i = expPos; i < expEnd; ++i) {
            n.exponent = std::min(n.exponent * 10 + (text[i] - '0'), 1000000000LL);
        }
        n.exponent = expNegative ? -n.exponent : n.exponent;
        end = expEnd;
    }
    if (end != text.size()) {
        return std::nullopt;
    }
    n.number = text.substr(start, end - start);
    return n;
}

std::optional<float> ReadFloatField(std::string_view text) {
    const std::optional<TypedNumber> n = scanNumber(text);
    if (!n) {
        return std::nullopt;
    }
    if (n->mantissa.empty()) {
        return 0.0f;
    }
    double value = 0.0;
    const auto result = std::from_chars(n->number.data(), n->number.data() + n->number.size(),
                                        value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = decimalMagnitude(n->mantissa, n->exponent) > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return toSingle(n->negative ? -value : value);
}

std::optional<std::uint32_t> readSeed(std::string_view text) {
    std::uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace ovantis
