#include "DecimalGrid.h"

#include <algorithm>
#include <charconv>

#include "NumberSettings.h"

namespace ovantis {
namespace {

constexpr std::uint64_t kTwoTo63 = std::uint64_t{1} << 63;

// The bound as a 64-bit integer, clamped to that range.
std::int64_t clamped(bool negative, const WideInt& magnitude) {
    const std::uint64_t m = magnitude.saturated(kTwoTo63);
    if (negative) {
        return static_cast<std::int64_t>(0 - m);
    }
    return static_cast<std::int64_t>(std::min(m, kTwoTo63 - 1));
}

}  // namespace

DecimalGrid::DecimalGrid(const Bound& low, const Bound& high, int places) : m_places(places) {
    if (!low.finite() || !high.finite() || places < 0 || places > NumberSettings::kMaxPlaces) {
        m_empty = true;
        return;
    }
    m_first = low.scaled(places, true);
    const Bound::Scaled last = high.scaled(places, false);
    if (m_first.negative != last.negative) {
        m_empty = !m_first.negative;
        m_count = last.magnitude;
        m_count += m_first.magnitude;
    } else {
        const WideInt& lower = m_first.negative ? last.magnitude : m_first.magnitude;
        const WideInt& upper = m_first.negative ? m_first.magnitude : last.magnitude;
        m_empty = lower > upper;
        if (!m_empty) {
            m_count = upper;
            m_count -= lower;
        }
    }
    m_count += WideInt(m_empty ? 0 : 1);
    m_firstClamped = clamped(m_first.negative, m_first.magnitude);
    m_lastClamped = clamped(last.negative, last.magnitude);
    m_narrow =
        !m_empty && m_first.magnitude < WideInt(kTwoTo63) && last.magnitude < WideInt(kTwoTo63);
    if (m_narrow) {
        m_narrowRange = RandomSource::prepare(m_firstClamped, m_lastClamped);
    }
}

std::uint64_t DecimalGrid::size(std::uint64_t cap) const {
    return m_count.saturated(cap);
}

std::uint64_t DecimalGrid::wholeNumbersAmong(std::int64_t first, std::int64_t last) const {
    const std::int64_t from = std::max(first, m_firstClamped);
    const std::int64_t to = std::min(last, m_lastClamped);
    if (m_empty || from > to) {
        return 0;
    }
    return static_cast<std::uint64_t>(to) - static_cast<std::uint64_t>(from) + 1;
}

void DecimalGrid::appendDraw(std::string& out, RandomSource& random) const {
    if (m_narrow) {
        const std::int64_t k = random.RandInRange(m_narrowRange);
        const std::uint64_t magnitude =
            k < 0 ? 0 - static_cast<std::uint64_t>(k) : static_cast<std::uint64_t>(k);
        char buffer[24];
        const char* end = std::to_chars(buffer, buffer + sizeof buffer, magnitude).ptr;
        appendValue(out, k < 0, std::string_view(buffer, end - buffer));
        return;
    }
    // k = first + offset, taking the sign into account.
    WideInt k = WideInt::below(m_count, random);
    bool negative = false;
    if (!m_first.negative) {
        k += m_first.magnitude;
    } else if (k >= m_first.magnitude) {
        k -= m_first.magnitude;
    } else {
        WideInt magnitude = m_first.magnitude;
        magnitude -= k;
        k = magnitude;
        negative = true;
    }
    char digits[WideInt::kMaxDigits];
    const char* const first = k.writeDecimal(digits + WideInt::kMaxDigits);
    appendValue(out, negative, std::string_view(first, digits + WideInt::kMaxDigits - first));
}

// digits / 10^places, written out with nothing rounded.
void DecimalGrid::appendValue(std::string& out, bool negative, std::string_view digits) const {
    const auto places = static_cast<std::size_t>(m_places);
    if (negative) {
        out += '-';
    }
    if (digits.size() <= places) {
        out += places > 0 ? "0." : "0";
        out.append(places - digits.size(), '0');
        out += digits;
        return;
    }
    out += digits.substr(0, digits.size() - places);
    if (places > 0) {
        out += '.';
        out += digits.substr(digits.size() - places);
    }
}

}  // namespace ovantis
