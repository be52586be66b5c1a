#include "NumberGenerator.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <iterator>

namespace ovantis {
namespace {

constexpr std::uint64_t kPowersOf10[] = {1,         10,         100,         1000,
                                         10000,     100000,     1000000,     10000000,
                                         100000000, 1000000000, 10000000000, 100000000000};

// Writes a float with the given places, rounded as %.Nf rounds the exact
// binary value (ties to even). Short places take an integer path several times
// faster than the general one: the value is m * 2^e with m below 2^24, so
// m * 10^places fits in 64 bits and one shift with rounding does the rest.
void appendFixed(std::string& out, float value, int places) {
    char text[160];
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t biased = (bits >> 23) & 0xFFu;
    const std::uint64_t mantissa = (bits & 0x7FFFFFu) | (biased != 0 ? 0x800000u : 0u);
    // value = mantissa * 2^-shift
    const int shift = 150 - static_cast<int>(biased == 0 ? 1 : biased);
    if (biased == 0xFFu || places >= static_cast<int>(std::size(kPowersOf10)) || shift < 0) {
        const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(value),
                                          std::chars_format::fixed, places);
        out.append(text, result.ptr);
        return;
    }
    const std::uint64_t scaled = mantissa * kPowersOf10[places];
    std::uint64_t whole = shift == 0 ? scaled : 0;
    if (shift > 0 && shift < 64) {
        whole = scaled >> shift;
        const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        whole += (rest > half || (rest == half && (whole & 1) != 0)) ? 1 : 0;
    }
    // Digits go to the end of the buffer, zero-padded to places + 1 at least.
    char* const end = text + sizeof text;
    char* first = end;
    for (int written = 0; whole != 0 || written <= places; ++written) {
        if (written == places && places > 0) {
            *--first = '.';
        }
        *--first = static_cast<char>('0' + whole % 10);
        whole /= 10;
    }
    if ((bits >> 31) != 0) {
        *--first = '-';
    }
    out.append(first, end);
}

RandomSource::Range integersOf(const NumberSettings& s) {
    std::int64_t first = 0;
    std::int64_t last = 0;
    if (!s.integerOn || !wholeNumbersIn(s.low, s.high, first, last)) {
        return {};
    }
    return RandomSource::prepare(first, last);
}

}  // namespace

NumberGenerator::NumberGenerator(const NumberSettings& checked, RandomSource& random)
    : m_settings(checked),
      m_random(random),
      m_integers(integersOf(checked)),
      m_decimalDraw(planDecimalDraw()) {}

std::int64_t NumberGenerator::maxLineBytes() const {
    // A 64-bit integer takes at most 20 characters; a decimal at most a sign,
    // 39 integer digits of a single-precision value, a point and the places.
    const std::int64_t integer = m_settings.integerOn ? 20 : 0;
    const std::int64_t decimal = m_settings.decimalOn ? 41 + m_settings.places : 0;
    return std::max(integer, decimal);
}

void NumberGenerator::appendLine(std::string& out) {
    for (;;) {
        if (m_random.RandInRange(1, 2) == 1) {
            if (m_settings.integerOn) {
                char buffer[24];
                const auto result =
                    std::to_chars(buffer, buffer + sizeof buffer, m_random.RandInRange(m_integers));
                out.append(buffer, result.ptr);
                return;
            }
        } else if (m_settings.decimalOn) {
            // Rounded as %.Nf would, never with a decimal comma.
            appendFixed(out, RandomFloat(), m_settings.places);
            return;
        }
    }
}

std::string NumberGenerator::MakeNumber() {
    std::string line;
    appendLine(line);
    return line;
}

NumberGenerator::GridPoint NumberGenerator::gridPoint(DecimalDraw plan, float lowBound,
                                                      float highBound, int draw) {
    const double low = lowBound;
    const double high = highBound;
    const double q = plan == DecimalDraw::ShiftedGrid ? low + draw / (32767.0 / (high - low))
                                                      : draw / (32767.0 / high);
    // Rounding error can lift q a hair above high; the nearest float is high.
    const auto value = static_cast<float>(std::min(q, high));
    const bool aboveLow = q > low;
    return {value, aboveLow, aboveLow && value != SENTINEL_REDRAW};
}

NumberGenerator::DecimalDraw NumberGenerator::planDecimalDraw() {
    const NumberSettings& s = m_settings;
    if (!s.decimalOn || s.low == s.high) {
        return DecimalDraw::Bound;
    }
    const DecimalDraw plan = s.low >= 0.0f ? DecimalDraw::Grid : DecimalDraw::ShiftedGrid;
    // Values rise with the draw, so the draws above low are a top slice of
    // 0..32767: draws below it are passed over without computing a value. If
    // no draw in the slice is usable, every line would redraw forever.
    bool usable = false;
    for (int d = RandomSource::kDrawMax; d >= 0; --d) {
        const GridPoint point = gridPoint(plan, s.low, s.high, d);
        if (!point.aboveLow) {
            break;
        }
        m_firstAboveLow = d;
        usable = usable || point.accepted;
    }
    return usable ? plan : DecimalDraw::Bound;
}

float NumberGenerator::RandomFloat() {
    if (m_decimalDraw == DecimalDraw::Bound) {
        return m_settings.high;
    }
    for (;;) {
        const int draw = m_random.draw();
        if (draw < m_firstAboveLow) {
            continue;
        }
        const GridPoint point = gridPoint(m_decimalDraw, m_settings.low, m_settings.high, draw);
        if (point.accepted) {
            return point.value;
        }
    }
}

}  // namespace ovantis
