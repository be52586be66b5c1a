#include "NumberGenerator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "ControlIds.h"
#include "Notices.h"
#include "SettingFields.h"

namespace ovantis {
namespace {

constexpr float kTwoTo63 = 9223372036854775808.0f;

// Integer draws use the truncated bounds as 64-bit integers.
bool truncatesInto64Bits(float low, float high) {
    return low >= -kTwoTo63 && high < kTwoTo63;
}

}  // namespace

NumberGenerator::NumberGenerator(PageHost& host, RandomSource& random)
    : LinePage(host, random, {ids::kNumberOutput, ids::kNumberGenerate, ids::kNumberExport}) {}

const InitialContent& NumberGenerator::initialContent() {
    static const InitialContent content{
        {{ids::kLow, "80"}, {ids::kHigh, "100"}, {ids::kNumberCount, "10"}, {ids::kPlaces, "2"}},
        {{ids::kIntegerOn, true}, {ids::kFloatOn, true}},
        {{ids::kPlaces, true}}};
    return content;
}

bool NumberGenerator::Validate() {
    PageHost& h = host();
    NumberSettings s = m_settings;
    s.integerOn = h.checkState(ids::kIntegerOn);
    s.floatOn = h.checkState(ids::kFloatOn);
    if (s.integerOn == 0 && s.floatOn == 0) {
        h.notice(notices::kNoNumberType);
        return false;
    }
    s.low = ReadFloatField(h.getText(ids::kLow));
    s.high = ReadFloatField(h.getText(ids::kHigh));
    s.count = ReadIntField(h.getText(ids::kNumberCount));
    if (s.floatOn != 0) {
        s.decimals = ReadIntField(h.getText(ids::kPlaces));
        if (s.decimals < 0 || s.decimals > kMaxPlaces) {
            h.notice(notices::kBadPlaces);
            return false;
        }
    }
    const bool finite = std::isfinite(s.low) && std::isfinite(s.high);
    if (s.low > s.high || !finite || (s.integerOn != 0 && !truncatesInto64Bits(s.low, s.high))) {
        h.notice(notices::kBadRange);
        return false;
    }
    if (s.count <= 0) {
        h.notice(notices::kBadCount);
        return false;
    }
    m_settings = s;
    if (s.integerOn != 0) {
        m_integers = RandomSource::prepare(static_cast<std::int64_t>(s.low),
                                           static_cast<std::int64_t>(s.high));
    }
    m_floatDraw = planFloatDraw();
    random().Reseed();
    return true;
}

std::int64_t NumberGenerator::maxLineBytes() const {
    // A 64-bit integer takes at most 20 characters; a decimal at most a sign,
    // 39 integer digits of a single-precision value, a point and the places.
    const std::int64_t integer = m_settings.integerOn != 0 ? 20 : 0;
    const std::int64_t decimal = m_settings.floatOn != 0 ? 41 + m_settings.decimals : 0;
    return std::max(integer, decimal);
}

void NumberGenerator::appendLine(std::string& out) {
    RandomSource& r = random();
    for (;;) {
        if (r.RandInRange(1, 2) == 1) {
            if (m_settings.integerOn != 0) {
                const std::int64_t value = r.RandInRange(m_integers);
                char buffer[24];
                const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
                // A few characters: a byte loop beats a call to memmove.
                for (const char* c = buffer; c != result.ptr; ++c) {
                    out.push_back(*c);
                }
                return;
            }
        } else if (m_settings.floatOn != 0) {
            // A drawn decimal ends the line whatever its value, so no value can
            // be mistaken for the "nothing drawn yet" marker.
            const double value = RandomFloat();
            char buffer[160];
            const int length =
                std::snprintf(buffer, sizeof buffer, "%.*f", m_settings.decimals, value);
            out.append(buffer,
                       static_cast<std::size_t>(std::clamp(length, 0, int{sizeof buffer} - 1)));
            return;
        }
    }
}

NumberGenerator::GridPoint NumberGenerator::gridPoint(FloatDraw plan, float lowBound,
                                                      float highBound, int draw) {
    const double low = lowBound;
    const double high = highBound;
    const double q = plan == FloatDraw::ShiftedGrid ? low + draw / (32767.0 / (high - low))
                                                    : draw / (32767.0 / high);
    // Rounding error can lift q a hair above high; the nearest float is high.
    const auto value = static_cast<float>(std::min(q, high));
    const bool aboveLow = q > low;
    return {value, aboveLow, aboveLow && value != SENTINEL_REDRAW};
}

NumberGenerator::FloatDraw NumberGenerator::planFloatDraw() const {
    const NumberSettings& s = m_settings;
    if (s.floatOn == 0 || s.low == s.high) {
        return FloatDraw::Bound;
    }
    const FloatDraw plan = s.low >= 0.0f ? FloatDraw::Grid : FloatDraw::ShiftedGrid;
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
    return FloatDraw::Bound;
}

float NumberGenerator::RandomFloat() {
    if (m_floatDraw == FloatDraw::Bound) {
        return m_settings.high;
    }
    RandomSource& r = random();
    for (;;) {
        const GridPoint point = gridPoint(m_floatDraw, m_settings.low, m_settings.high, r.draw());
        if (point.accepted) {
            return point.value;
        }
    }
}

void NumberGenerator::OnFloatToggled() {
    host().enable(ids::kPlaces, host().checkState(ids::kFloatOn) != 0);
}

}  // namespace ovantis
