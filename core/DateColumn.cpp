#include "DateColumn.h"

#include <charconv>
#include <cstdio>

#include "CharacterSet.h"
#include "Utf8.h"

namespace ovantis {
namespace {

using Kind = Refusal::Kind;
constexpr std::int64_t kDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (Hinnant's algorithm).
std::int64_t daysFrom(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    std::int64_t year;
    int month, day;
};

Civil civilFrom(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2), m, d};
}

int daysIn(std::int64_t y, int m) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

bool digits(std::string_view text, std::size_t at, std::size_t n, int& value) {
    if (at + n > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// Local seconds of YYYY-MM-DD[(T| )HH:MM[:SS]]; a date alone is its day's
// start, or its end when endOfDay.
bool readInstant(std::string_view text, bool endOfDay, std::int64_t& local) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!digits(text, 0, 4, y) || text.size() < 10 || text[4] != '-' || !digits(text, 5, 2, mo) ||
        text[7] != '-' || !digits(text, 8, 2, d) || y < 1 || mo < 1 || mo > 12 || d < 1 ||
        d > daysIn(y, mo)) {
        return false;
    }
    if (text.size() == 10) {
        local = daysFrom(y, mo, d) * kDay + (endOfDay ? kDay - 1 : 0);
        return true;
    }
    if ((text[10] != 'T' && text[10] != ' ') || !digits(text, 11, 2, h) || text.size() < 16 ||
        text[13] != ':' || !digits(text, 14, 2, mi) || h > 23 || mi > 59) {
        return false;
    }
    if (text.size() == 19) {
        if (text[16] != ':' || !digits(text, 17, 2, s) || s > 59) {
            return false;
        }
    } else if (text.size() != 16) {
        return false;
    }
    local = daysFrom(y, mo, d) * kDay + h * 3600 + mi * 60 + s;
    return true;
}

bool readZone(std::string_view text, int& offset) {
    if (text == "UTC" || text == "utc" || text == "Z" || text == "z") {
        offset = 0;
        return true;
    }
    int h = 0, m = 0;
    if (text.size() < 3 || (text[0] != '+' && text[0] != '-') || !digits(text, 1, 2, h)) {
        return false;
    }
    const std::string_view rest = text.substr(3);
    if (!(rest.empty() || (rest.size() == 3 && rest[0] == ':' && digits(rest, 1, 2, m)) ||
          (rest.size() == 2 && digits(rest, 0, 2, m))) ||
        m > 59 || h * 60 + m > 14 * 60) {
        return false;
    }
    offset = (text[0] == '-' ? -1 : 1) * (h * 3600 + m * 60);
    return true;
}

constexpr const char* kMonths[] = {"January", "February", "March",     "April",
                                   "May",     "June",     "July",      "August",
                                   "September", "October", "November", "December"};
constexpr const char* kWeekdays[] = {"Thursday", "Friday",  "Saturday", "Sunday",
                                     "Monday",   "Tuesday", "Wednesday"};

// The unit each conversion prints, or nothing for one it does not know.
bool unitOfConversion(char c, DateColumn::Unit& unit) {
    using Unit = DateColumn::Unit;
    switch (c) {
        case 'Y': case 'y': unit = Unit::Year; return true;
        case 'm': case 'b': case 'B': unit = Unit::Month; return true;
        case 'd': case 'e': case 'j': case 'a': case 'A': case 'F': unit = Unit::Day; return true;
        case 'H': unit = Unit::Hour; return true;
        case 'M': unit = Unit::Minute; return true;
        case 'S': case 'T': case 's': unit = Unit::Second; return true;
        case 'z': case ':': case '%': unit = Unit::Once; return true;
        default: return false;
    }
}

Refusal parseFormat(std::string_view format, std::vector<std::pair<char, std::string>>& pieces,
                    DateColumn::Unit& finest) {
    finest = DateColumn::Unit::Once;
    std::string text;
    for (std::size_t i = 0; i < format.size();) {
        char32_t point = 0;
        const std::size_t length = decodeUtf8(format.substr(i), point);
        if (length == 0 || CharacterSet::breaksLine(point)) {
            char shown[16];
            std::snprintf(shown, sizeof shown, "\\x{%X}",
                          length == 0 ? static_cast<unsigned char>(format[i]) : static_cast<unsigned>(point));
            return {.kind = Kind::BadFormat, .values = {shown}};
        }
        if (format[i] != '%') {
            text.append(format.substr(i, length));
            i += length;
            continue;
        }
        std::string_view conversion = format.substr(i, 2);
        if (format.substr(i, 3) == "%:z") {
            conversion = format.substr(i, 3);
        }
        DateColumn::Unit unit{};
        if (conversion.size() < 2 || !unitOfConversion(conversion[1], unit) ||
            (conversion[1] == ':' && conversion.size() != 3)) {
            return {.kind = Kind::BadFormat, .values = {std::string(format.substr(i, 2))}};
        }
        if (conversion[1] == '%') {
            text += '%';
        } else {
            if (!text.empty()) {
                pieces.emplace_back(0, std::move(text));
                text.clear();
            }
            pieces.emplace_back(conversion[1], std::string());
            finest = std::max(finest, unit);
        }
        i += conversion.size();
    }
    if (!text.empty()) {
        pieces.emplace_back(0, std::move(text));
    }
    return {};
}

void appendNumber(std::string& out, std::int64_t value, int width, char pad = '0') {
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, value < 0 ? -value : value).ptr;
    if (value < 0) {
        out += '-';
    }
    for (auto n = end - text; n < width; ++n) {
        out += pad;
    }
    out.append(text, end);
}

}  // namespace

Refusal DateColumn::check(const DateSettings& s) {
    std::int64_t low = 0, high = 0;
    int offset = 0;
    if (!readInstant(s.low, false, low)) {
        return {.kind = Kind::BadDate, .values = {"'" + s.low + "'"}};
    }
    if (!readInstant(s.high, true, high)) {
        return {.kind = Kind::BadDate, .values = {"'" + s.high + "'"}};
    }
    if (!readZone(s.zone, offset)) {
        return {.kind = Kind::BadZone, .values = {"'" + s.zone + "'"}};
    }
    if (low > high) {
        return {.kind = Kind::DatesReversed, .values = {s.low, s.high}};
    }
    std::vector<std::pair<char, std::string>> pieces;
    Unit unit{};
    return parseFormat(s.format, pieces, unit);
}

DateColumn::DateColumn(const DateSettings& s) {
    readInstant(s.low, false, m_low);
    readInstant(s.high, true, m_high);
    readZone(s.zone, m_offset);
    std::vector<std::pair<char, std::string>> pieces;
    parseFormat(s.format, pieces, m_unit);
    for (auto& [conversion, text] : pieces) {
        m_pieces.push_back({conversion, std::move(text)});
    }
    m_firstUnit = unitOf(m_low);
    m_lastUnit = unitOf(m_high);
}

std::int64_t DateColumn::unitOf(std::int64_t local) const {
    const std::int64_t day = local >= 0 ? local / kDay : (local - kDay + 1) / kDay;
    const Civil c = civilFrom(day);
    switch (m_unit) {
        case Unit::Once: return 0;
        case Unit::Year: return c.year;
        case Unit::Month: return c.year * 12 + c.month - 1;
        case Unit::Day: return day;
        case Unit::Hour: return day * 24 + (local - day * kDay) / 3600;
        case Unit::Minute: return day * 1440 + (local - day * kDay) / 60;
        case Unit::Second: return local;
    }
    return 0;
}

std::int64_t DateColumn::startOf(std::int64_t index) const {
    switch (m_unit) {
        case Unit::Once: return m_low;
        case Unit::Year: return daysFrom(index, 1, 1) * kDay;
        case Unit::Month: return daysFrom(index / 12, static_cast<int>(index % 12) + 1, 1) * kDay;
        case Unit::Day: return index * kDay;
        case Unit::Hour: return index * 3600;
        case Unit::Minute: return index * 60;
        case Unit::Second: return index;
    }
    return m_low;
}

void DateColumn::appendCell(std::string& out, RandomSource& random) const {
    const std::int64_t unit = random.RandInRange(m_firstUnit, m_lastUnit);
    // The first unit may start before low: low prints the same, and stays in range.
    print(out, unit == m_firstUnit ? m_low : startOf(unit));
}

void DateColumn::print(std::string& out, std::int64_t local) const {
    const std::int64_t day = local >= 0 ? local / kDay : (local - kDay + 1) / kDay;
    const std::int64_t second = local - day * kDay;
    const Civil c = civilFrom(day);
    const auto offsetText = [&](bool colon) {
        const int minutes = (m_offset < 0 ? -m_offset : m_offset) / 60;
        out += m_offset < 0 ? '-' : '+';
        appendNumber(out, minutes / 60, 2);
        if (colon) {
            out += ':';
        }
        appendNumber(out, minutes % 60, 2);
    };
    for (const Piece& p : m_pieces) {
        switch (p.conversion) {
            case 0: out += p.text; break;
            case 'Y': appendNumber(out, c.year, 4); break;
            case 'y': appendNumber(out, c.year % 100, 2); break;
            case 'm': appendNumber(out, c.month, 2); break;
            case 'b': out.append(kMonths[c.month - 1], 3); break;
            case 'B': out += kMonths[c.month - 1]; break;
            case 'd': appendNumber(out, c.day, 2); break;
            case 'e': appendNumber(out, c.day, 2, ' '); break;
            case 'j': appendNumber(out, day - daysFrom(c.year, 1, 1) + 1, 3); break;
            case 'a': out.append(kWeekdays[((day % 7) + 7) % 7], 3); break;
            case 'A': out += kWeekdays[((day % 7) + 7) % 7]; break;
            case 'F':
                appendNumber(out, c.year, 4);
                out += '-';
                appendNumber(out, c.month, 2);
                out += '-';
                appendNumber(out, c.day, 2);
                break;
            case 'H': appendNumber(out, second / 3600, 2); break;
            case 'M': appendNumber(out, second / 60 % 60, 2); break;
            case 'S': appendNumber(out, second % 60, 2); break;
            case 'T':
                appendNumber(out, second / 3600, 2);
                out += ':';
                appendNumber(out, second / 60 % 60, 2);
                out += ':';
                appendNumber(out, second % 60, 2);
                break;
            case 's': appendNumber(out, local - m_offset, 1); break;
            case 'z': offsetText(false); break;
            case ':': offsetText(true); break;
        }
    }
}

std::int64_t DateColumn::maxCellBytes() const {
    std::int64_t most = 0;
    for (const Piece& p : m_pieces) {
        most += p.conversion == 0 ? static_cast<std::int64_t>(p.text.size()) : 12;
    }
    return most;
}

BigCount DateColumn::count() const {
    return BigCount(static_cast<std::uint64_t>(m_lastUnit - m_firstUnit) + 1);
}

}  // namespace ovantis
