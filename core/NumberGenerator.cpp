#include "NumberGenerator.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>

#include "HashMemory.h"
#include "RedrawLimit.h"

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
    if (!s.integerOn || !wholeNumbersIn(s, first, last)) {
        return {};
    }
    return RandomSource::prepare(first, last);
}

constexpr std::uint64_t kCap = std::uint64_t{1} << 62;

// The value a line stands for: a zero written with a minus sign is zero.
std::string_view valueOf(std::string_view line) {
    const bool negativeZero =
        line.starts_with('-') && line.find_first_not_of("0.", 1) == std::string_view::npos;
    return negativeZero ? line.substr(1) : line;
}

}  // namespace

NumberGenerator::NumberGenerator(const NumberSettings& checked, RandomSource& random)
    : m_settings(checked),
      m_random(random),
      m_integers(integersOf(checked)),
      m_grid(checked.asRead(checked.low), checked.asRead(checked.high),
             checked.decimalOn ? checked.places : 0) {
    // In the body, as the plan also sets m_firstAboveLow: whatever order the
    // members come in, both are initialised by now.
    m_decimalDraw = planDecimalDraw();
}

std::int64_t NumberGenerator::maxLineBytes() const {
    // A 64-bit integer takes at most 20 characters; a decimal at most a sign,
    // 39 integer digits of a single-precision value, a point and the places.
    const std::int64_t integer = m_settings.integerOn ? 20 : 0;
    const std::int64_t decimal = m_settings.decimalOn ? 41 + m_settings.places : 0;
    return std::max(integer, decimal);
}

bool NumberGenerator::appendLine(std::string& out, TextSink* sink) {
    if (!m_settings.unique) {
        appendAny(out);
        return true;
    }
    // Integers alone never repeat; anything else is redrawn on a repeat.
    const bool integersOnly = !m_settings.decimalOn;
    std::string line;
    const bool kept = RedrawLimit::redraw(
        [&] {
            line.clear();
            return appendAny(line) && (integersOnly || m_seen.emplace(valueOf(line)).second)
                       ? RedrawLimit::Trial::Kept
                       : RedrawLimit::Trial::Again;
        },
        m_random, sink, 1024);
    if (kept) {
        out += line;
    }
    return kept;
}

bool NumberGenerator::appendAny(std::string& out) {
    const NumberSettings& s = m_settings;
    for (;;) {
        // The secure source tosses a coin only when both kinds are on.
        const bool secureOne = m_random.secure() && s.integerOn != s.decimalOn;
        const bool integer = secureOne ? s.integerOn : m_random.RandInRange(1, 2) == 1;
        if (integer) {
            if (s.integerOn) {
                if (s.unique && m_taken == m_integers.width && m_taken != 0) {
                    return false;
                }
                char buffer[24];
                const auto result = std::to_chars(buffer, buffer + sizeof buffer, nextInteger());
                out.append(buffer, result.ptr);
                return true;
            }
        } else if (s.decimalOn) {
            if (m_random.secure()) {
                m_grid.appendDraw(out, m_random);
            } else {
                appendFixed(out, RandomFloat(), s.places);
            }
            return true;
        }
    }
}

std::int64_t NumberGenerator::nextInteger() {
    if (!m_settings.unique) {
        return m_random.RandInRange(m_integers);
    }
    const auto low = static_cast<std::uint64_t>(m_integers.low);
    const auto from = static_cast<std::int64_t>(low + m_taken);
    const auto high = static_cast<std::int64_t>(low + m_integers.width - 1);
    const auto pick = static_cast<std::uint64_t>(m_random.RandInRange(from, high)) - low;
    const auto at = [&](std::uint64_t position) {
        const auto moved = m_moved.find(position);
        return moved == m_moved.end() ? position : moved->second;
    };
    const std::uint64_t value = at(pick);
    m_moved[pick] = at(m_taken);
    m_moved.erase(m_taken++);
    return static_cast<std::int64_t>(low + value);
}

void NumberGenerator::appendDecimal(std::string& out, double value) const {
    // Rounded as %.Nf would, never with a decimal comma.
    char buffer[160];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, m_settings.places);
    out.append(buffer, result.ptr);
}

std::uint64_t NumberGenerator::possibleLines() const {
    const NumberSettings& s = m_settings;
    std::uint64_t integers = 0;
    if (s.integerOn) {
        integers = m_integers.width == 0 ? kCap : std::min(m_integers.width, kCap);
    }
    std::uint64_t decimals = 0;
    std::uint64_t shared = 0;  // decimal lines that read as one of the integers
    if (s.decimalOn && m_random.secure()) {
        decimals = m_grid.size(kCap);
        if (s.integerOn && s.places == 0) {
            const auto last = static_cast<std::uint64_t>(m_integers.low) + m_integers.width - 1;
            shared = m_grid.wholeNumbersAmong(m_integers.low, static_cast<std::int64_t>(last));
        }
    } else if (s.decimalOn) {
        // The classic source makes at most one value per 15-bit draw.
        std::unordered_set<std::string> lines;
        for (int d = 0; d <= RandomSource::kDrawMax; ++d) {
            const GridPoint point = gridPoint(m_decimalDraw, s.low.single(), s.high.single(), d);
            if (m_decimalDraw == DecimalDraw::Bound || point.accepted) {
                std::string line;
                appendDecimal(line,
                              m_decimalDraw == DecimalDraw::Bound ? s.high.single() : point.value);
                lines.emplace(valueOf(line));
            }
        }
        decimals = lines.size();
        for (const std::string& line : lines) {
            std::int64_t value = 0;
            const auto [end, error] =
                std::from_chars(line.data(), line.data() + line.size(), value);
            const auto last = static_cast<std::uint64_t>(m_integers.low) + m_integers.width - 1;
            shared += s.integerOn && error == std::errc{} && end == line.data() + line.size() &&
                      value >= m_integers.low && value <= static_cast<std::int64_t>(last);
        }
    }
    if (!s.integerOn) {
        shared = 0;
    }
    return std::min(kCap, integers + decimals - shared);
}

BigCount NumberGenerator::lineCount() const {
    const NumberSettings& s = m_settings;
    BigCount total;
    if (s.integerOn) {
        // Width 0 stands for all 2^64.
        total = m_integers.width != 0 ? BigCount(m_integers.width) : BigCount::fromWords({0, 0, 1});
    }
    if (s.decimalOn && !m_grid.empty()) {
        total += BigCount::fromDecimal(m_grid.count().toDecimal());
        if (s.integerOn && s.places == 0) {
            const auto last = static_cast<std::uint64_t>(m_integers.low) + m_integers.width - 1;
            total -=
                BigCount(m_grid.wholeNumbersAmong(m_integers.low, static_cast<std::int64_t>(last)));
        }
    }
    return total;
}

std::uint64_t NumberGenerator::memoryNeeded(std::int64_t count) const {
    const NumberSettings& s = m_settings;
    if (!s.unique || count <= 0) {
        return 0;
    }
    std::uint64_t perLine = 0;
    if (s.integerOn) {
        // A moved position of the shuffle: link, position, value.
        perLine += hashMemory::entry(sizeof(void*) + 2 * sizeof(std::uint64_t));
    }
    if (s.decimalOn) {
        // No line is longer than the larger end of the range written out, a
        // sign and the classic source's rounding carry aside.
        const WideInt first = s.asRead(s.low).scaled(s.places, true).magnitude;
        const WideInt last = s.asRead(s.high).scaled(s.places, false).magnitude;
        const std::size_t digits = std::max(first, last).toDecimal().size();
        const auto places = static_cast<std::size_t>(s.places);
        const std::size_t longest = std::max(digits, places + 1) + (places > 0 ? 1 : 0);
        perLine += hashMemory::stringEntry(longest + 2);
    }
    return static_cast<std::uint64_t>(count) * perLine;
}

std::int64_t NumberGenerator::appendLines(std::string& out, std::int64_t count,
                                          std::string_view lineEnd, std::size_t limit) {
    const NumberSettings& s = m_settings;
    if (!m_linesChecked && !s.unique) {
        m_linesChecked = true;
        const RandomSource::Range* range = nullptr;
        int places = 0;
        if (s.integerOn && !s.decimalOn && m_integers.width != 0) {
            range = &m_integers;
        } else if (s.decimalOn && !s.integerOn) {
            range = m_grid.narrowRange();
            places = s.places;
        }
        if (!m_random.secure()) {
            // Writing every line a draw can give pays off only for long runs.
            constexpr std::int64_t kWorthTexts = 4096;
            m_classicLines = count >= kWorthTexts ? classicLines(lineEnd) : nullptr;
            m_classicWide = s.integerOn && !s.decimalOn &&
                            m_integers.width - 1u >= std::uint64_t{ClassicNumberLines::kDraws};
        } else if (range != nullptr) {
            m_lines = std::make_unique<NumberLines>(range->low, range->width, places, lineEnd);
        }
    }
    if (m_classicLines) {
        return m_classicLines->append(out, count, limit, m_random);
    }
    if (m_classicWide) {
        return appendClassicWide(out, count, lineEnd, limit);
    }
    return m_lines ? m_lines->append(out, count, limit, m_random) : 0;
}

// Drawn as appendAny draws them, coins until one names an integer and then the
// integer, without a call and a copy for each line.
std::int64_t NumberGenerator::appendClassicWide(std::string& out, std::int64_t count,
                                                std::string_view lineEnd, std::size_t limit) {
    constexpr std::size_t kLongest = 20;
    const std::size_t start = out.size();
    if (start >= limit || count <= 0) {
        return 0;
    }
    out.resize(limit + kLongest + lineEnd.size());
    char* at = out.data() + start;
    const char* const end = out.data() + limit;
    const RandomSource::Range integers = m_integers;
    std::int64_t made = 0;
    for (; made < count && at < end; ++made) {
        while (m_random.RandInRange(1, 2) != 1) {
        }
        at = std::to_chars(at, at + kLongest, m_random.RandInRange(integers)).ptr;
        for (const char c : lineEnd) {
            *at++ = c;
        }
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return made;
}

std::unique_ptr<ClassicNumberLines> NumberGenerator::classicLines(std::string_view lineEnd) const {
    const NumberSettings& s = m_settings;
    if (s.integerOn && m_integers.width - 1u >= std::uint64_t{ClassicNumberLines::kDraws}) {
        return nullptr;
    }
    const auto width = static_cast<std::uint32_t>(s.integerOn ? m_integers.width : 0);
    std::vector<std::string> texts;
    for (std::uint32_t i = 0; i < width; ++i) {
        texts.push_back(std::to_string(m_integers.low + i));
    }
    if (s.decimalOn && m_decimalDraw == DecimalDraw::Bound) {
        appendFixed(texts.emplace_back(), s.high.single(), s.places);
    } else if (s.decimalOn) {
        for (int d = 0; d < ClassicNumberLines::kDraws; ++d) {
            std::string& text = texts.emplace_back();
            const GridPoint point = gridPoint(m_decimalDraw, s.low.single(), s.high.single(), d);
            if (d >= m_firstAboveLow && point.accepted) {
                appendFixed(text, point.value, s.places);
            }
        }
    }
    return ClassicNumberLines::make(texts, width, lineEnd);
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
    const float low = s.low.single();
    const float high = s.high.single();
    if (!s.decimalOn || low == high) {
        return DecimalDraw::Bound;
    }
    const DecimalDraw plan = low >= 0.0f ? DecimalDraw::Grid : DecimalDraw::ShiftedGrid;
    // Values rise with the draw, so the draws above low are a top slice of
    // 0..32767: draws below it are passed over without computing a value. If
    // no draw in the slice is usable, every line would redraw forever.
    bool usable = false;
    for (int d = RandomSource::kDrawMax; d >= 0; --d) {
        const GridPoint point = gridPoint(plan, low, high, d);
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
        return m_settings.high.single();
    }
    for (;;) {
        const int draw = m_random.draw();
        if (draw < m_firstAboveLow) {
            continue;
        }
        const GridPoint point =
            gridPoint(m_decimalDraw, m_settings.low.single(), m_settings.high.single(), draw);
        if (point.accepted) {
            return point.value;
        }
    }
}

}  // namespace ovantis
