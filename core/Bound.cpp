#include "Bound.h"

#include <charconv>
#include <cmath>

#include "SettingFields.h"

namespace ovantis {

Bound::Bound(float single, bool negative, std::string_view mantissa, long long exponent)
    : m_single(single), m_negative(negative) {
    const std::size_t point = mantissa.find('.');
    if (point != std::string_view::npos) {
        exponent -= static_cast<long long>(mantissa.size() - point - 1);
    }
    for (const char c : mantissa) {
        if (c != '.' && (c != '0' || !m_digits.empty())) {
            m_digits += c;
        }
    }
    const std::size_t last = m_digits.find_last_not_of('0');
    exponent += static_cast<long long>(m_digits.size() - (last + 1));
    m_digits.resize(last + 1);  // npos + 1 clears an all-zero run
    m_exponent = m_digits.empty() ? 0 : exponent;
    m_negative = negative && !m_digits.empty();
}

Bound::Bound(float value) : Bound(value, false, {}, 0) {
    if (!std::isfinite(value)) {
        return;
    }
    char buffer[32];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    const TypedNumber n = *scanNumber(std::string_view(buffer, end - buffer));
    *this = Bound(value, n.negative, n.mantissa, n.exponent);
}

std::optional<Bound> Bound::read(std::string_view text) {
    const std::optional<TypedNumber> n = scanNumber(text);
    if (!n) {
        return std::nullopt;
    }
    return Bound(*ReadFloatField(text), n->negative, n->mantissa, n->exponent);
}

bool Bound::finite() const {
    return std::isfinite(m_single);
}

Bound::Scaled Bound::scaled(int places, bool up) const {
    Scaled result;
    if (m_digits.empty() || !finite()) {
        return result;
    }
    // A finite bound has at most 39 integer digits, so neither string grows
    // past 39 + places digits beyond what was typed.
    const long long scale = m_exponent + places;
    bool rest = false;
    if (scale >= 0) {
        result.magnitude = *WideInt::fromDecimal(m_digits + std::string(scale, '0'));
    } else {
        const long long kept = static_cast<long long>(m_digits.size()) + scale;
        rest = true;  // the digits dropped end in a non-zero one
        if (kept > 0) {
            result.magnitude = *WideInt::fromDecimal(std::string_view(m_digits).substr(0, kept));
        }
    }
    // Up raises a positive value's magnitude, down a negative one's.
    if (rest && up != m_negative) {
        result.magnitude += WideInt(1);
    }
    result.negative = m_negative && result.magnitude != WideInt();
    return result;
}

std::optional<std::int64_t> Bound::whole(bool up) const {
    constexpr std::uint64_t kTwoTo63 = std::uint64_t{1} << 63;
    const Scaled s = scaled(0, up);
    if (s.magnitude > WideInt(kTwoTo63) || (!s.negative && s.magnitude == WideInt(kTwoTo63))) {
        return std::nullopt;
    }
    const std::uint64_t magnitude = s.magnitude.saturated(kTwoTo63);
    return static_cast<std::int64_t>(s.negative ? 0 - magnitude : magnitude);
}

std::strong_ordering operator<=>(const Bound& a, const Bound& b) {
    if (a.m_negative != b.m_negative || a.m_digits.empty() || b.m_digits.empty()) {
        const auto sign = [](const Bound& x) {
            return x.m_digits.empty() ? 0 : x.m_negative ? -1 : 1;
        };
        return sign(a) <=> sign(b);
    }
    // Same sign, both non-zero: the magnitudes, then the sign turns them.
    const long long aTop = static_cast<long long>(a.m_digits.size()) + a.m_exponent;
    const long long bTop = static_cast<long long>(b.m_digits.size()) + b.m_exponent;
    std::strong_ordering magnitude = aTop <=> bTop;
    if (magnitude == 0) {
        magnitude = a.m_digits.compare(b.m_digits) <=> 0;
    }
    return a.m_negative ? 0 <=> magnitude : magnitude;
}

}  // namespace ovantis
