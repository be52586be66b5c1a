#include "NumberGenerator.h"

#include <algorithm>
#include <charconv>

namespace ovantis {
namespace {

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
            // Widened to double and rounded as %.Nf would, never with a decimal comma.
            char buffer[160];
            const double value = RandomFloat();
            const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                              std::chars_format::fixed, m_settings.places);
            out.append(buffer, result.ptr);
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

NumberGenerator::DecimalDraw NumberGenerator::planDecimalDraw() const {
    const NumberSettings& s = m_settings;
    if (!s.decimalOn || s.low == s.high) {
        return DecimalDraw::Bound;
    }
    const DecimalDraw plan = s.low >= 0.0f ? DecimalDraw::Grid : DecimalDraw::ShiftedGrid;
    // Values rise with the draw, so the accepted draws are a top slice of
    // 0..32767; if none of it is usable, every line would redraw forever.
    for (int d = RandomSource::kDrawMax; d >= 0; --d) {
        const GridPoint point = gridPoint(plan, s.low, s.high, d);
        if (point.accepted) {
            return plan;
        }
        if (!point.aboveLow) {
            break;
        }
    }
    return DecimalDraw::Bound;
}

float NumberGenerator::RandomFloat() {
    if (m_decimalDraw == DecimalDraw::Bound) {
        return m_settings.high;
    }
    for (;;) {
        const GridPoint point =
            gridPoint(m_decimalDraw, m_settings.low, m_settings.high, m_random.draw());
        if (point.accepted) {
            return point.value;
        }
    }
}

}  // namespace ovantis
