#include "StringGenerator.h"

#include <algorithm>

namespace ovantis {
namespace {
constexpr std::size_t kSinkChunk = 64 * 1024;
// Codes of the classes 1 (upper), 2 (lower) and 3 (digits).
constexpr char kFirstCode[] = {0, 'A', 'a', '0'};
}  // namespace

StringGenerator::StringGenerator(const StringSettings& checked, RandomSource& random)
    : m_settings(checked),
      m_random(random),
      m_length(RandomSource::prepare(checked.minLength, checked.maxLength)),
      m_classes{{false, checked.upper, checked.lower, checked.digits}} {
    for (unsigned value = 0; value < m_secureCodes.size(); ++value) {
        const unsigned cls = 1 + value % 3;
        m_secureCodes[value] = m_classes[cls] ? codeOf(cls, value / 3) : '\0';
    }
}

std::int64_t StringGenerator::maxLineBytes() const {
    const std::int64_t core = m_settings.maxLength > 0 ? m_settings.maxLength : 0;
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

// The same choice as the classic path, class first and then code, each
// uniform, three characters to a 32-bit word: below 72 * 390^3 a word splits
// without bias into three values in [0, 390), and each value into a class
// (value mod 3) and a code (value / 3, uniform over 130 = 5 * 26 = 13 * 10).
// A slot whose class is not enabled is passed over, never reused.
void StringGenerator::secureChars(char* out, std::int64_t count) {
    constexpr std::uint32_t kSplitLimit = 72u * 390u * 390u * 390u;
    RandomSource& r = m_random;
    while (count > 0) {
        std::uint32_t word = r.secureWord();
        if (word >= kSplitLimit) {
            continue;
        }
        for (int slot = 0; slot < 3 && count > 0; ++slot) {
            const char c = m_secureCodes[word % 390];
            word /= 390;
            if (c != 0) {
                *out++ = c;
                --count;
            }
        }
    }
}

bool StringGenerator::appendLine(std::string& out, TextSink* sink) {
    const std::int64_t length = m_random.RandInRange(m_length);
    out += m_settings.head;
    std::int64_t done = 0;
    while (done < length) {
        // Up to a chunk at a time, then hand it on when a sink takes pieces.
        const std::int64_t room = static_cast<std::int64_t>(kSinkChunk);
        const std::int64_t end = sink != nullptr ? std::min(length, done + room) : length;
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(end - done));
        char* next = out.data() + at;
        if (m_random.secure()) {
            secureChars(next, end - done);
            done = end;
        } else {
            std::uint32_t state = m_random.snapshot();
            for (; done < end; ++done) {
                *next++ = classicChar(state, m_classes);
            }
            m_random.restore(state);
        }
        if (sink != nullptr && out.size() >= kSinkChunk && !sink->drain(out)) {
            return false;
        }
    }
    out += m_settings.tail;
    return true;
}

std::string StringGenerator::MakeString() {
    std::string line;
    appendLine(line);
    return line;
}

}  // namespace ovantis
