#include "StringGenerator.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>
#include <map>
#include <stdexcept>

#include "CharacterSet.h"
#include "HashMemory.h"

namespace ovantis {
namespace {
constexpr std::size_t kSinkChunk = 64 * 1024;
// Far beyond what a possible line needs; a guard against waiting forever.
constexpr std::int64_t kMaxRedraws = std::int64_t{1} << 26;
// Codes of the classes 1 (upper), 2 (lower) and 3 (digits).
constexpr char kFirstCode[] = {0, 'A', 'a', '0'};
}  // namespace

StringGenerator::StringGenerator(const StringSettings& checked, RandomSource& random)
    : m_settings(checked),
      m_random(random),
      m_length(RandomSource::prepare(checked.minLength, checked.maxLength)),
      m_classes{{false, checked.upper, checked.lower, checked.digits}},
      m_extended(checked.symbols || !checked.charset.empty() || !checked.exclude.empty() ||
                 checked.noSimilar || checked.eachClass) {
    std::vector<CharacterSet::Class> classes;
    CharacterSet::build(checked, classes);
    std::map<char32_t, std::uint32_t> members;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        for (char32_t point : classes[c]) {
            members[point] |= 1u << c;
        }
    }
    for (const auto& [point, mask] : members) {
        std::string bytes;
        CharacterSet::appendUtf8(bytes, point);
        Glyph glyph{{}, static_cast<std::uint8_t>(bytes.size()), mask};
        std::copy(bytes.begin(), bytes.end(), glyph.bytes.begin());
        m_asciiOnly = m_asciiOnly && point < 0x80;
        m_glyphs.push_back(glyph);
    }
    for (const CharacterSet::Class& members_ : classes) {
        std::vector<std::uint32_t> indices;
        for (char32_t point : members_) {
            indices.push_back(
                static_cast<std::uint32_t>(std::distance(members.begin(), members.find(point))));
        }
        m_classGlyphs.push_back(std::move(indices));
    }
    m_allClasses = (1u << classes.size()) - 1u;
    const auto n = static_cast<std::uint32_t>(m_glyphs.size());
    m_rejectBelow = n == 0 ? 0 : (0u - n) % n;
}

std::int64_t StringGenerator::maxLineBytes() const {
    const std::int64_t core =
        m_settings.maxLength > 0 ? m_settings.maxLength * (m_asciiOnly ? 1 : 4) : 0;
    return static_cast<std::int64_t>(m_settings.head.size() + m_settings.tail.size()) + core;
}

// The code a draw gives in a class, picked without a branch: the class is random.
inline char StringGenerator::codeOf(unsigned cls, unsigned draw) {
    const unsigned isDigit = cls == 3 ? 1u : 0u;
    const unsigned offset = draw % 26 + (draw % 10 - draw % 26) * isDigit;
    return static_cast<char>(kFirstCode[cls] + offset);
}

// Draw for draw RandInRange(1, 3) for the class, again while it is not
// enabled, then RandInRange over the class's codes. The class draw and the
// code draw are computed side by side and the code draw kept only when the
// class is enabled.
inline char StringGenerator::classicChar(std::uint32_t& state, Classes enabled) {
    for (;;) {
        const std::uint32_t classState = RandomSource::step(state);
        const std::uint32_t codeState = RandomSource::step2(state);
        const auto cls = static_cast<unsigned>(1 + RandomSource::output(classState) % 3);
        if (enabled[cls]) {
            state = codeState;
            return codeOf(cls, static_cast<unsigned>(RandomSource::output(codeState)));
        }
        state = classState;
    }
}

// Lemire's multiply with rejection: uniform over every character at once.
std::uint32_t StringGenerator::secureIndex() {
    const auto n = static_cast<std::uint64_t>(m_glyphs.size());
    for (;;) {
        const std::uint64_t product = m_random.secureWord() * n;
        if (static_cast<std::uint32_t>(product) >= m_rejectBelow) {
            return static_cast<std::uint32_t>(product >> 32);
        }
    }
}

void StringGenerator::appendGlyph(std::string& out, std::uint32_t index, std::uint32_t& hit) const {
    const Glyph& glyph = m_glyphs[index];
    out.append(glyph.bytes.data(), glyph.size);
    hit |= glyph.classes;
}

void StringGenerator::appendChars(std::string& out, std::int64_t count, std::uint32_t& hit) {
    if (m_random.secure() && m_asciiOnly) {
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(count));
        for (char* next = out.data() + at; count > 0; --count) {
            const Glyph& glyph = m_glyphs[secureIndex()];
            *next++ = glyph.bytes[0];
            hit |= glyph.classes;
        }
    } else if (m_random.secure()) {
        for (; count > 0; --count) {
            appendGlyph(out, secureIndex(), hit);
        }
    } else if (!m_extended) {
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(count));
        char* next = out.data() + at;
        std::uint32_t state = m_random.snapshot();
        for (; count > 0; --count) {
            *next++ = classicChar(state, m_classes);
        }
        m_random.restore(state);
    } else {
        // Class by RandInRange(1, k) in drawing order, then the character by
        // RandInRange over the class.
        const auto classes = static_cast<std::int64_t>(m_classGlyphs.size());
        for (; count > 0; --count) {
            const auto& members = m_classGlyphs[m_random.RandInRange(1, classes) - 1];
            const std::int64_t last = static_cast<std::int64_t>(members.size()) - 1;
            appendGlyph(out, members[m_random.RandInRange(0, last)], hit);
        }
    }
}

bool StringGenerator::drawLine(std::string& out, TextSink* sink) {
    const std::int64_t length = m_random.RandInRange(m_length);
    std::uint32_t hit = 0;
    std::int64_t done = 0;
    while (done < length) {
        // Up to a chunk at a time, then hand it on when a sink takes pieces.
        const std::int64_t room = static_cast<std::int64_t>(kSinkChunk);
        const std::int64_t end = sink != nullptr ? std::min(length, done + room) : length;
        appendChars(out, end - done, hit);
        done = end;
        if (sink != nullptr && out.size() >= kSinkChunk && !sink->drain(out)) {
            return false;
        }
    }
    return !m_settings.eachClass || hit == m_allClasses;
}

bool StringGenerator::appendLine(std::string& out, TextSink* sink) {
    out += m_settings.head;
    if (!m_settings.eachClass && !m_settings.unique) {
        if (!drawLine(out, sink)) {
            return false;
        }
    } else {
        // Whole lines are redrawn, so a kept one is uniform over the lines allowed.
        std::string core;
        for (std::int64_t tries = 0;; ++tries) {
            if (tries == kMaxRedraws) {
                throw std::runtime_error("no further line found after many redraws");
            }
            core.clear();
            if (drawLine(core, nullptr) && (!m_settings.unique || m_seen.insert(core).second)) {
                break;
            }
        }
        out += core;
    }
    out += m_settings.tail;
    return sink == nullptr || out.size() < kSinkChunk || sink->drain(out);
}

std::uint64_t StringGenerator::memoryNeeded(std::int64_t count) const {
    if (!m_settings.unique || count <= 0) {
        return 0;
    }
    // Each line's text between head and tail is kept whole.
    const auto longest = static_cast<std::uint64_t>(maxLineBytes()) - m_settings.head.size() -
                         m_settings.tail.size();
    return static_cast<std::uint64_t>(count) * hashMemory::stringEntry(longest);
}

std::uint64_t StringGenerator::possibleLines() const {
    constexpr std::uint64_t kCap = std::uint64_t{1} << 62;
    const auto n = static_cast<std::int64_t>(m_glyphs.size());
    const std::int64_t from = std::max<std::int64_t>(m_settings.minLength, 0);
    const std::int64_t to = m_settings.maxLength;
    if (n == 1) {
        const std::int64_t least = std::max<std::int64_t>(from, m_settings.eachClass ? 1 : 0);
        return static_cast<std::uint64_t>(std::max<std::int64_t>(to - least + 1, 0));
    }
    // Lines holding every class, by inclusion and exclusion over the classes
    // missed; without --each-class only the empty set of missed classes counts.
    const std::uint32_t subsets = m_settings.eachClass ? m_allClasses : 0;
    std::uint64_t total = 0;
    for (std::int64_t length = from; length <= to && total < kCap; ++length) {
        // Exact while every term is below 2^62, else near enough to compare.
        long double lines = 0;
        bool exact = true;
        std::int64_t exactLines = 0;
        for (std::uint32_t missed = 0; missed <= subsets; ++missed) {
            const auto left = static_cast<std::int64_t>(
                std::count_if(m_glyphs.begin(), m_glyphs.end(),
                              [&](const Glyph& g) { return (g.classes & missed) == 0; }));
            const long double power = std::pow(static_cast<long double>(left), length);
            exact = exact && power < static_cast<long double>(kCap);
            std::int64_t whole = left == 0 && length > 0 ? 0 : 1;
            for (std::int64_t i = 0; exact && left > 1 && i < length; ++i) {
                whole *= left;
            }
            const int sign = std::popcount(missed) % 2 == 0 ? 1 : -1;
            lines += sign * power;
            exactLines += sign * whole;
        }
        total += exact
                     ? static_cast<std::uint64_t>(exactLines)
                     : static_cast<std::uint64_t>(std::min(lines, static_cast<long double>(kCap)));
    }
    return std::min(total, kCap);
}

std::string StringGenerator::MakeString() {
    std::string line;
    appendLine(line);
    return line;
}

}  // namespace ovantis
