#include "StringGenerator.h"

#include <algorithm>

#include "ControlIds.h"
#include "Notices.h"
#include "SettingFields.h"

namespace ovantis {
namespace {
constexpr std::size_t kSinkChunk = 64 * 1024;
// Codes of the classes 1 (upper), 2 (lower) and 3 (digits).
constexpr char kFirstCode[] = {0, 'A', 'a', '0'};
}  // namespace

StringGenerator::StringGenerator(PageHost& host, RandomSource& random)
    : LinePage(host, random, {ids::kStringOutput, ids::kStringGenerate, ids::kStringExport}) {
    prepareSecureCodes();
}

const InitialContent& StringGenerator::initialContent() {
    static const InitialContent content{
        {{ids::kMinLength, "5"}, {ids::kMaxLength, "8"}, {ids::kStringCount, "10"}},
        {{ids::kUpper, true}, {ids::kLower, true}, {ids::kDigits, false}},
        {}};
    return content;
}

bool StringGenerator::Validate() {
    PageHost& h = host();
    StringSettings s = m_settings;
    s.upper = h.checkState(ids::kUpper);
    s.lower = h.checkState(ids::kLower);
    s.digits = h.checkState(ids::kDigits);
    if (s.upper == 0 && s.lower == 0 && s.digits == 0) {
        h.notice(notices::kNoCharClass);
        return false;
    }
    s.head = h.getText(ids::kHead);
    s.tail = h.getText(ids::kTail);
    s.minLength = ReadIntField(h.getText(ids::kMinLength));
    s.maxLength = ReadIntField(h.getText(ids::kMaxLength));
    s.count = ReadIntField(h.getText(ids::kStringCount));
    if (s.maxLength < s.minLength) {
        h.notice(notices::kBadLength);
        return false;
    }
    if (s.count <= 0) {
        h.notice(notices::kBadCount);
        return false;
    }
    m_settings = std::move(s);
    m_length = RandomSource::prepare(m_settings.minLength, m_settings.maxLength);
    prepareSecureCodes();
    random().Reseed();
    return true;
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
    RandomSource& r = random();
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

void StringGenerator::prepareSecureCodes() {
    const Classes enabled = enabledClasses();
    for (unsigned value = 0; value < m_secureCodes.size(); ++value) {
        const unsigned cls = 1 + value % 3;
        m_secureCodes[value] = enabled[cls] ? codeOf(cls, value / 3) : '\0';
    }
}

void StringGenerator::appendString(std::string& out, TextSink* sink) {
    RandomSource& r = random();
    const std::int64_t length = r.RandInRange(m_length);
    out += m_settings.head;
    const Classes enabled = enabledClasses();
    std::int64_t done = 0;
    while (done < length) {
        // Up to a chunk at a time, then hand it on when a sink takes pieces.
        const std::int64_t room = static_cast<std::int64_t>(kSinkChunk);
        const std::int64_t end = sink != nullptr ? std::min(length, done + room) : length;
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(end - done));
        char* next = out.data() + at;
        if (r.secure()) {
            secureChars(next, end - done);
            done = end;
        } else {
            std::uint32_t state = r.snapshot();
            for (; done < end; ++done) {
                *next++ = classicChar(state, enabled);
            }
            r.restore(state);
        }
        if (sink != nullptr && out.size() >= kSinkChunk) {
            sink->drain(out);
        }
    }
    out += m_settings.tail;
}

char StringGenerator::RandomChar() {
    RandomSource& r = random();
    if (r.secure()) {
        char c = 0;
        secureChars(&c, 1);
        return c;
    }
    std::uint32_t state = r.snapshot();
    const char c = classicChar(state, enabledClasses());
    r.restore(state);
    return c;
}

StringGenerator::Classes StringGenerator::enabledClasses() const {
    return {{false, m_settings.upper != 0, m_settings.lower != 0, m_settings.digits != 0}};
}

}  // namespace ovantis
