#include "CharacterSet.h"

#include <algorithm>

#include "Notices.h"

namespace ovantis {
namespace {

constexpr std::string_view kSimilar = "0Oo1lI|";

CharacterSet::Class span(char32_t first, char32_t last) {
    CharacterSet::Class out;
    for (char32_t c = first; c <= last; ++c) {
        out.push_back(c);
    }
    return out;
}

// One code point from the front of text; false when malformed, overlong or a
// surrogate.
bool decode(std::string_view& text, char32_t& point) {
    const auto lead = static_cast<unsigned char>(text[0]);
    int extra = lead < 0x80                   ? 0
                : lead >= 0xC2 && lead < 0xE0 ? 1
                : lead >= 0xE0 && lead < 0xF0 ? 2
                : lead >= 0xF0 && lead < 0xF5 ? 3
                                              : -1;
    if (extra < 0 || text.size() <= static_cast<std::size_t>(extra)) {
        return false;
    }
    point = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return false;
        }
        point = (point << 6) | (next & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (point < kLeast[extra] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000)) {
        return false;
    }
    text.remove_prefix(static_cast<std::size_t>(extra) + 1);
    return true;
}

}  // namespace

bool CharacterSet::parse(std::string_view text, Class& out) {
    Class points;
    while (!text.empty()) {
        char32_t point = 0;
        if (!decode(text, point)) {
            return false;
        }
        points.push_back(point);
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i + 2 < points.size() && points[i + 1] == U'-') {
            if (points[i + 2] < points[i]) {
                return false;
            }
            const Class range = span(points[i], points[i + 2]);
            out.insert(out.end(), range.begin(), range.end());
            i += 2;
        } else {
            out.push_back(points[i]);
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return true;
}

const char* CharacterSet::build(const StringSettings& s, std::vector<Class>& classes) {
    Class symbols;
    for (char32_t c = U'!'; c <= U'~'; ++c) {
        if (!(c >= U'0' && c <= U'9') && !(c >= U'A' && c <= U'Z') && !(c >= U'a' && c <= U'z')) {
            symbols.push_back(c);
        }
    }
    Class custom;
    Class removed;
    if (!parse(s.charset, custom) || !parse(s.exclude, removed)) {
        return notices::kBadCharset;
    }
    if (s.noSimilar) {
        removed.insert(removed.end(), kSimilar.begin(), kSimilar.end());
        std::sort(removed.begin(), removed.end());
    }
    classes.clear();
    const std::pair<bool, Class> chosen[] = {
        {s.upper, span(U'A', U'Z')}, {s.lower, span(U'a', U'z')}, {s.digits, span(U'0', U'9')},
        {s.symbols, symbols},        {!custom.empty(), custom},
    };
    for (const auto& [on, members] : chosen) {
        Class kept;
        if (on) {
            std::copy_if(members.begin(), members.end(), std::back_inserter(kept), [&](char32_t c) {
                return !std::binary_search(removed.begin(), removed.end(), c);
            });
        }
        if (!kept.empty()) {
            classes.push_back(std::move(kept));
        }
    }
    return classes.empty() ? notices::kNoCharClass : nullptr;
}

void CharacterSet::appendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
        return;
    }
    const int extra = point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
    constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[extra] | (point >> (6 * extra)));
    for (int i = extra - 1; i >= 0; --i) {
        out += static_cast<char>(0x80 | ((point >> (6 * i)) & 0x3F));
    }
}

std::int64_t CharacterSet::length(std::string_view utf8) {
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

}  // namespace ovantis
