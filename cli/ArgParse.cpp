#include "ArgParse.h"

#include <charconv>
#include <string_view>

#include "CliTexts.h"
#include "FieldTexts.h"
#include "Printable.h"
#include "SettingFields.h"

namespace ovantis::cli {
namespace {

std::size_t skipSign(const std::string& text, std::size_t pos) {
    return pos < text.size() && (text[pos] == '+' || text[pos] == '-') ? pos + 1 : pos;
}

void requireValue(const std::string& option, const std::string& text) {
    if (text.empty()) {
        throw UsageError(texts::kNeedValue, {option});
    }
}

}  // namespace

// Long values are cut: a megabyte of digits helps nobody.
std::string quoted(const std::string& text) {
    constexpr std::size_t kShown = 40;
    std::string shown = "'";
    shown += sys::printable(text.size() > kShown ? text.substr(0, kShown) + "..." : text);
    shown += '\'';
    return shown;
}

std::int32_t parseWhole(const std::string& option, const std::string& text, const Text& outside) {
    requireValue(option, text);
    const std::size_t digits = skipSign(text, 0);
    if (digits == text.size() || skipDigits(text, digits) != text.size()) {
        throw UsageError(texts::kNotWhole, {option, quoted(text)});
    }
    std::int32_t value = 0;
    // from_chars takes no '+'.
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    const auto result = std::from_chars(first, text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        throw UsageError(outside, {option, quoted(text)});
    }
    return value;
}

Bound parseDecimal(const std::string& option, const std::string& text) {
    requireValue(option, text);
    // The window's reading, so equal texts give equal lines; an option's
    // value takes no white space around it.
    const std::optional<Bound> value = Bound::read(text);
    const auto blank = [](char c) {
        return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos;
    };
    if (!value || blank(text.front()) || blank(text.back())) {
        throw UsageError(texts::kNotNumber, {option, quoted(text)});
    }
    return *value;
}

std::optional<std::uint32_t> parseSeed(const std::string& text) {
    if (text == "now") {
        return std::nullopt;
    }
    if (const std::optional<std::uint32_t> value = readSeed(text)) {
        return value;
    }
    throw UsageError(texts::kBadSeed, {quoted(text)});
}

}  // namespace ovantis::cli
