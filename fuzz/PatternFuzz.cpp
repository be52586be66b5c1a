// Feeds arbitrary templates (with --charset and --exclude texts after NUL
// bytes, and a first byte of flags) to the pattern generator: it refuses or
// builds within bounded time and memory, and every line it draws matches
// the template by std::wregex where that engine reads it the same way.
#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "PatternGenerator.h"

using namespace ovantis;

namespace {

// Templates std::regex reads as we do: none of our own escapes, short enough
// for its recursive matcher, and no repeated group, on which that matcher's
// backtracking is exponential (`(|ab){26}`), nor a bound of thousands, which
// it refuses (`.{99999}`).
bool regexReadsAlike(const std::string& pattern) {
    const bool repeatedGroup =
        pattern.find('(') != std::string::npos && pattern.find_first_of("{?") != std::string::npos;
    const bool bigBound = std::regex_search(pattern, std::regex("[0-9]{4}"));
    return pattern.size() <= 64 && !repeatedGroup && !bigBound &&
           pattern.find("\\x{") == std::string::npos && pattern.find("\\u{") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::vector<std::string> texts(1);
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            texts.emplace_back();
        } else {
            texts.back().push_back(static_cast<char>(data[i]));
        }
    }
    texts.resize(3);
    PatternSettings s;
    s.pattern = texts[0];
    s.charset = texts[1];
    s.exclude = texts[2];
    s.noSimilar = (data[0] & 1) != 0;
    s.unique = (data[0] & 2) != 0;
    RandomSource random(PatternGenerator::seededPool(data[0]));
    PatternGenerator generator(random);
    if (generator.build(s, std::uint64_t{64} << 20)) {
        return 0;
    }
    std::vector<char32_t> points;
    CharacterSet::decodeUtf8(s.pattern, points);
    std::wregex engine;
    bool checked = regexReadsAlike(s.pattern);
    if (checked) {
        try {
            engine.assign(std::wstring(points.begin(), points.end()), std::regex::ECMAScript);
        } catch (const std::regex_error&) {
            __builtin_trap();  // accepted by us, refused by the reference
        }
    }
    std::uint64_t lines = 16;
    if (s.unique && generator.count() < BigCount(lines)) {
        lines = generator.count().low64();
    }
    for (std::uint64_t i = 0; i < lines; ++i) {
        std::string line;
        generator.appendLine(line);
        if (static_cast<std::int64_t>(line.size()) > generator.maxLineBytes()) {
            __builtin_trap();
        }
        points.clear();
        if (CharacterSet::decodeUtf8(line, points) != line.size()) {
            __builtin_trap();
        }
        for (const char32_t c : points) {
            if (CharacterSet::breaksLine(c)) {
                __builtin_trap();
            }
        }
        if (checked && points.size() <= 256 &&
            !std::regex_match(std::wstring(points.begin(), points.end()), engine)) {
            __builtin_trap();
        }
    }
    return 0;
}
