#include "StringGenerator.h"

#include "ControlIds.h"
#include "Notices.h"
#include "SettingFields.h"

namespace ovantis {
namespace {
constexpr std::size_t kSinkChunk = 64 * 1024;
}

StringGenerator::StringGenerator(PageHost& host, RandomSource& random)
    : LinePage(host, random, {ids::kStringOutput, ids::kStringGenerate, ids::kStringExport}) {}

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
    random().Reseed();
    return true;
}

std::int64_t StringGenerator::maxLineBytes() const {
    const std::int64_t core = m_settings.maxLength > 0 ? m_settings.maxLength : 0;
    return static_cast<std::int64_t>(m_settings.head.size() + m_settings.tail.size()) + core;
}

void StringGenerator::appendString(std::string& out, TextSink* sink) {
    const std::int64_t length = random().RandInRange(m_settings.minLength, m_settings.maxLength);
    out += m_settings.head;
    for (std::int64_t i = 0; i < length; ++i) {
        out.push_back(RandomChar());
        if (sink != nullptr && out.size() >= kSinkChunk) {
            sink->drain(out);
        }
    }
    out += m_settings.tail;
}

char StringGenerator::RandomChar() {
    RandomSource& r = random();
    for (;;) {
        switch (r.RandInRange(1, 3)) {
            case 1:
                if (m_settings.upper != 0) {
                    return static_cast<char>(r.RandInRange('A', 'Z'));
                }
                break;
            case 2:
                if (m_settings.lower != 0) {
                    return static_cast<char>(r.RandInRange('a', 'z'));
                }
                break;
            default:
                if (m_settings.digits != 0) {
                    return static_cast<char>(r.RandInRange('0', '9'));
                }
                break;
        }
    }
}

}  // namespace ovantis
