#include "DateColumn.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <unordered_set>

#include "Utf8.h"

namespace ovantis {
namespace {

using Kind = Refusal::Kind;
using Unit = DateColumn::Unit;
constexpr std::int64_t kDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

// Days since 1970-01-01 of a proleptic Gregorian date (Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    std::int64_t year;
    int month;
    int day;
};

// Hinnant's civil_from_days.
Civil civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const auto day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const auto month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// Sunday 0; 1970-01-01 was a Thursday.
std::int64_t weekday(std::int64_t day) {
    return day + 4 - floorDiv(day + 4, 7) * 7;
}

int daysInMonth(std::int64_t year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The n ASCII digits at text[at], or -1 where there are not n of them.
int digitsAt(std::string_view text, std::size_t at, std::size_t n) {
    if (at + n > text.size()) {
        return -1;
    }
    int value = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Local seconds since 1970 of YYYY-MM-DD[(T| )HH:MM[:SS]]; a date alone is
// its day's start, or its last second for the high end.
std::optional<std::int64_t> readInstant(std::string_view text, bool endOfDay) {
    if (text.size() != 10 && text.size() != 16 && text.size() != 19) {
        return std::nullopt;
    }
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    if (text[4] != '-' || text[7] != '-' || year < 1 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month)) {
        return std::nullopt;
    }
    std::int64_t second = endOfDay ? kDay - 1 : 0;
    if (text.size() > 10) {
        const bool withSeconds = text.size() == 19;
        const int hour = digitsAt(text, 11, 2);
        const int minute = digitsAt(text, 14, 2);
        const int sec = withSeconds ? digitsAt(text, 17, 2) : 0;
        if ((text[10] != 'T' && text[10] != ' ') || text[13] != ':' ||
            (withSeconds && text[16] != ':') || hour < 0 || hour > 23 || minute < 0 ||
            minute > 59 || sec < 0 || sec > 59) {
            return std::nullopt;
        }
        second = hour * 3600 + minute * 60 + sec;
    }
    return daysFromCivil(year, month, day) * kDay + second;
}

bool sameLetters(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 32) : text[i];
        if (c != lower[i]) {
            return false;
        }
    }
    return true;
}

// Seconds ahead of UTC of UTC, Z, or +HH, +HHMM, +HH:MM (or -), up to 14 hours.
std::optional<std::int64_t> readZone(std::string_view text) {
    if (sameLetters(text, "utc") || sameLetters(text, "z")) {
        return 0;
    }
    if (text.empty() || (text[0] != '+' && text[0] != '-')) {
        return std::nullopt;
    }
    const int hours = digitsAt(text, 1, 2);
    int minutes = -1;
    if (text.size() == 3) {
        minutes = 0;
    } else if (text.size() == 5) {
        minutes = digitsAt(text, 3, 2);
    } else if (text.size() == 6 && text[3] == ':') {
        minutes = digitsAt(text, 4, 2);
    }
    if (hours < 0 || minutes < 0 || minutes > 59 || hours * 60 + minutes > 14 * 60) {
        return std::nullopt;
    }
    return (text[0] == '-' ? -60 : 60) * (hours * 60 + minutes);
}

// What a conversion prints, so a format's texts can be told to repeat.
enum Field : unsigned {
    kYear = 1,
    kCenturyYear = 2,
    kMonth = 4,
    kMonthDay = 8,
    kYearDay = 16,
    kWeekday = 32,
    kHour = 64,
    kMinute = 128,
    kSecond = 256,
    kEpoch = 512,
};
constexpr unsigned kDayFields = kYear | kCenturyYear | kMonth | kMonthDay | kYearDay | kWeekday;

struct Conversion {
    char letter;
    Unit unit;
    int bytes;  // the most it prints
    unsigned fields;
};

// %s spans -62135647200 (0001-01-01 at +14:00) to 253402351199.
constexpr Conversion kConversions[] = {
    {'Y', Unit::Year, 4, kYear},
    {'y', Unit::Year, 2, kCenturyYear},
    {'m', Unit::Month, 2, kMonth},
    {'b', Unit::Month, 3, kMonth},
    {'B', Unit::Month, 9, kMonth},
    {'d', Unit::Day, 2, kMonthDay},
    {'e', Unit::Day, 2, kMonthDay},
    {'j', Unit::Day, 3, kYearDay},
    {'a', Unit::Day, 3, kWeekday},
    {'A', Unit::Day, 9, kWeekday},
    {'F', Unit::Day, 10, kYear | kMonth | kMonthDay},
    {'H', Unit::Hour, 2, kHour},
    {'M', Unit::Minute, 2, kMinute},
    {'S', Unit::Second, 2, kSecond},
    {'T', Unit::Second, 8, kHour | kMinute | kSecond},
    {'s', Unit::Second, 12, kEpoch},
    {'z', Unit::Once, 5, 0},
    {':', Unit::Once, 6, 0},
};

// Whether fields tell every unit of the finest apart, so that no text repeats.
bool tellsApart(Unit unit, unsigned f) {
    if ((f & kEpoch) != 0) {
        return true;
    }
    const bool year = (f & kYear) != 0;
    const bool day =
        year && ((f & kYearDay) != 0 || (f & (kMonth | kMonthDay)) == (kMonth | kMonthDay));
    switch (unit) {
        case Unit::Once:
            return true;
        case Unit::Year:
            return year;
        case Unit::Month:
            return year && (f & kMonth) != 0;
        case Unit::Day:
            return day;
        case Unit::Hour:
            return day && (f & kHour) != 0;
        case Unit::Minute:
            return day && (f & (kHour | kMinute)) == (kHour | kMinute);
        case Unit::Second:
            return day && (f & (kHour | kMinute | kSecond)) == (kHour | kMinute | kSecond);
    }
    return true;
}

const Conversion* findConversion(char letter) {
    for (const Conversion& c : kConversions) {
        if (c.letter == letter) {
            return &c;
        }
    }
    return nullptr;
}

Refusal badFormat(std::string found) {
    return {.kind = Kind::BadFormat, .values = {std::move(found)}};
}

// A character the format may not hold, as \x{H}.
std::string hexName(std::uint32_t value) {
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
    std::string name = "\\x{";
    for (const char* p = digits; p != end; ++p) {
        name += *p >= 'a' ? static_cast<char>(*p - 32) : *p;
    }
    return name + "}";
}

// The length of the whole character at text[at], which is valid UTF-8.
std::size_t characterAt(std::string_view text, std::size_t at) {
    char32_t point = 0;
    return at < text.size() ? decodeUtf8(text.substr(at), point) : 0;
}

constexpr std::string_view kMonths[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
constexpr std::string_view kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};

char* put(char* at, std::string_view text) {
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}

char* put2(char* at, std::int64_t value, char pad = '0') {
    at[0] = value < 10 ? pad : static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
    return at + 2;
}

char* put3(char* at, std::int64_t value) {
    at[0] = static_cast<char>('0' + value / 100);
    return put2(at + 1, value % 100);
}

char* put4(char* at, std::int64_t value) {
    return put2(put2(at, value / 100), value % 100);
}

char* putOffset(char* at, std::int64_t offset, bool colon) {
    const std::int64_t minutes = (offset < 0 ? -offset : offset) / 60;
    *at++ = offset < 0 ? '-' : '+';
    at = put2(at, minutes / 60);
    if (colon) {
        *at++ = ':';
    }
    return put2(at, minutes % 60);
}

}  // namespace

Refusal DateColumn::parseFormat(std::string_view format, std::vector<Piece>& pieces, Unit& finest,
                                unsigned& fields) {
    for (std::size_t i = 0; i < format.size();) {
        char32_t point = 0;
        const std::size_t length = decodeUtf8(format.substr(i), point);
        if (length == 0) {
            return badFormat(hexName(static_cast<unsigned char>(format[i])));
        }
        if (point < 0x20 || (point >= 0x7F && point <= 0x9F)) {
            return badFormat(hexName(point));
        }
        i += length;
    }
    finest = Unit::Once;
    fields = 0;
    std::string text;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] != '%') {
            text += format[i++];
            continue;
        }
        if (format.substr(i, 2) == "%%") {
            text += '%';
            i += 2;
            continue;
        }
        const bool colon = format.substr(i, 3) == "%:z";
        const Conversion* c =
            colon || i + 1 == format.size() ? nullptr : findConversion(format[i + 1]);
        if (!colon && (c == nullptr || c->letter == ':')) {
            // The conversion as typed: its whole character, and after %: the next as well.
            std::size_t end = i + 1 + characterAt(format, i + 1);
            if (format.substr(i, 2) == "%:") {
                end += characterAt(format, end);
            }
            return badFormat(std::string(format.substr(i, end - i)));
        }
        if (colon) {
            c = findConversion(':');
        }
        if (!text.empty()) {
            pieces.push_back({0, std::move(text)});
            text.clear();
        }
        pieces.push_back({c->letter});
        finest = std::max(finest, c->unit);
        fields |= c->fields;
        i += colon ? 3 : 2;
    }
    if (!text.empty()) {
        pieces.push_back({0, std::move(text)});
    }
    return {};
}

Refusal DateColumn::check(const DateSettings& s) {
    const std::optional<std::int64_t> low = readInstant(s.low, false);
    if (!low) {
        return {.kind = Kind::BadDate, .values = {"'" + s.low + "'"}};
    }
    const std::optional<std::int64_t> high = readInstant(s.high, true);
    if (!high) {
        return {.kind = Kind::BadDate, .values = {"'" + s.high + "'"}};
    }
    if (!readZone(s.zone)) {
        return {.kind = Kind::BadZone, .values = {"'" + s.zone + "'"}};
    }
    if (*low > *high) {
        return {.kind = Kind::DatesReversed, .values = {s.low, s.high}};
    }
    std::vector<Piece> pieces;
    Unit unit{};
    unsigned fields = 0;
    if (Refusal r = parseFormat(s.format, pieces, unit, fields)) {
        return r;
    }
    const DateColumn bare(s, false);
    if (bare.m_walkLast - bare.m_walkFirst >= kMostWalked) {
        return {.kind = Kind::DateRepeats,
                .values = {"'" + s.format + "'", std::to_string(kMostWalked)}};
    }
    return {};
}

DateColumn::DateColumn(const DateSettings& checked, bool walk) {
    m_low = readInstant(checked.low, false).value_or(0);
    const std::int64_t high = readInstant(checked.high, true).value_or(m_low);
    m_offset = readZone(checked.zone).value_or(0);
    parseFormat(checked.format, m_pieces, m_unit, m_fields);
    m_firstUnit = unitOf(m_low);
    m_lastUnit = unitOf(high);
    for (const Piece& p : m_pieces) {
        m_maxBytes += p.conversion == 0 ? static_cast<std::int64_t>(p.text.size())
                                        : findConversion(p.conversion)->bytes;
    }
    m_repeats = !tellsApart(m_unit, m_fields);
    if (m_repeats) {
        // A time of day alone: a whole day holds every text.
        const bool everyTime = (m_fields & kDayFields) == 0 && high - m_low + 1 >= kDay;
        m_walkFirst = everyTime ? unitOf(0) : m_firstUnit;
        m_walkLast = everyTime ? unitOf(kDay - 1) : m_lastUnit;
    }
    if (!walk || m_walkLast - m_walkFirst >= kMostWalked) {
        return;
    }
    std::unordered_set<std::uint64_t> seen;
    for (std::int64_t unit = m_walkFirst; unit <= m_walkLast; ++unit) {
        // Every instant of a unit prints the same, so its start stands for it.
        const std::int64_t local = startOf(unit);
        if (seen.insert(fieldsAt(local)).second) {
            m_cells.push_back(local);
        }
    }
    m_range = RandomSource::prepare(0, static_cast<std::int64_t>(size()) - 1);
    m_slot = m_maxBytes < 16 ? 16 : 32;
    if (m_maxBytes < static_cast<std::int64_t>(kSlack) && size() <= kMostPrinted / m_slot) {
        m_slots.assign(size() * m_slot, '\0');
        for (std::uint64_t i = 0; i < size(); ++i) {
            char* slot = m_slots.data() + i * m_slot;
            slot[m_slot - 1] = static_cast<char>(print(slot, instantOf(i)) - slot);
        }
    }
}

std::uint64_t DateColumn::fieldsAt(std::int64_t local) const {
    const std::int64_t day = floorDiv(local, kDay);
    const std::int64_t second = local - day * kDay;
    const Civil c = civilFromDays(day);
    std::uint64_t packed = 0;
    const auto add = [&](unsigned field, std::int64_t value, int bits) {
        packed = packed << bits | ((m_fields & field) != 0 ? static_cast<std::uint64_t>(value) : 0);
    };
    add(kYear, c.year, 14);
    add(kCenturyYear, c.year % 100, 7);
    add(kMonth, c.month, 4);
    add(kMonthDay, c.day, 5);
    add(kYearDay, day - daysFromCivil(c.year, 1, 1), 9);
    add(kWeekday, weekday(day), 3);
    add(kHour, second / 3600, 5);
    add(kMinute, second / 60 % 60, 6);
    add(kSecond, second % 60, 6);
    return packed;
}

std::int64_t DateColumn::unitOf(std::int64_t local) const {
    switch (m_unit) {
        case Unit::Once:
            return 0;
        case Unit::Year:
            return civilFromDays(floorDiv(local, kDay)).year;
        case Unit::Month: {
            const Civil c = civilFromDays(floorDiv(local, kDay));
            return c.year * 12 + c.month - 1;
        }
        case Unit::Day:
            return floorDiv(local, kDay);
        case Unit::Hour:
            return floorDiv(local, 3600);
        case Unit::Minute:
            return floorDiv(local, 60);
        case Unit::Second:
            return local;
    }
    return 0;
}

std::int64_t DateColumn::startOf(std::int64_t unit) const {
    switch (m_unit) {
        case Unit::Once:
            return m_low;
        case Unit::Year:
            return daysFromCivil(unit, 1, 1) * kDay;
        case Unit::Month:
            return daysFromCivil(unit / 12, unit % 12 + 1, 1) * kDay;
        case Unit::Day:
            return unit * kDay;
        case Unit::Hour:
            return unit * 3600;
        case Unit::Minute:
            return unit * 60;
        case Unit::Second:
            return unit;
    }
    return m_low;
}

void DateColumn::appendCell(std::string& out, RandomSource& random) const {
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(m_maxBytes) + kSlack);
    out.resize(static_cast<std::size_t>(write(out.data() + at, random) - out.data()));
}

char* DateColumn::write(char* at, RandomSource& random) const {
    return write(at, static_cast<std::uint64_t>(random.RandInRange(m_range)));
}

std::int64_t DateColumn::instantOf(std::uint64_t index) const {
    const std::int64_t unit = m_firstUnit + static_cast<std::int64_t>(index);
    // The first unit may start before low; low prints the same.
    return m_repeats ? m_cells[index] : unit == m_firstUnit ? m_low : startOf(unit);
}

char* DateColumn::write(char* at, std::uint64_t index) const {
    if (m_slot == 16 && !m_slots.empty()) {
        const char* slot = m_slots.data() + index * 16;
        std::memcpy(at, slot, 16);
        return at + static_cast<unsigned char>(slot[15]);
    }
    if (!m_slots.empty()) {
        const char* slot = m_slots.data() + index * 32;
        std::memcpy(at, slot, 32);
        return at + static_cast<unsigned char>(slot[31]);
    }
    return print(at, instantOf(index));
}

bool DateColumn::mayHold(std::string_view chars) const {
    // Names and numbers are letters, digits, signs and spaces.
    return std::any_of(m_pieces.begin(), m_pieces.end(), [&](const Piece& p) {
        return p.text.find_first_of(chars) != std::string::npos;
    });
}

char* DateColumn::print(char* at, std::int64_t local) const {
    const std::int64_t day = floorDiv(local, kDay);
    const std::int64_t second = local - day * kDay;
    const Civil c = civilFromDays(day);
    for (const Piece& p : m_pieces) {
        switch (p.conversion) {
            case 0:
                at = put(at, p.text);
                break;
            case 'Y':
                at = put4(at, c.year);
                break;
            case 'y':
                at = put2(at, c.year % 100);
                break;
            case 'm':
                at = put2(at, c.month);
                break;
            case 'b':
                at = put(at, kMonths[c.month - 1].substr(0, 3));
                break;
            case 'B':
                at = put(at, kMonths[c.month - 1]);
                break;
            case 'd':
                at = put2(at, c.day);
                break;
            case 'e':
                at = put2(at, c.day, ' ');
                break;
            case 'j':
                at = put3(at, day - daysFromCivil(c.year, 1, 1) + 1);
                break;
            case 'a':
                at = put(at, kWeekdays[weekday(day)].substr(0, 3));
                break;
            case 'A':
                at = put(at, kWeekdays[weekday(day)]);
                break;
            case 'F':
                at = put4(at, c.year);
                *at++ = '-';
                at = put2(at, c.month);
                *at++ = '-';
                at = put2(at, c.day);
                break;
            case 'H':
                at = put2(at, second / 3600);
                break;
            case 'M':
                at = put2(at, second / 60 % 60);
                break;
            case 'S':
                at = put2(at, second % 60);
                break;
            case 'T':
                at = put2(at, second / 3600);
                *at++ = ':';
                at = put2(at, second / 60 % 60);
                *at++ = ':';
                at = put2(at, second % 60);
                break;
            case 's':
                at = std::to_chars(at, at + 12, local - m_offset).ptr;
                break;
            case 'z':
                at = putOffset(at, m_offset, false);
                break;
            case ':':
                at = putOffset(at, m_offset, true);
                break;
        }
    }
    return at;
}

std::int64_t DateColumn::maxCellBytes() const {
    return m_maxBytes;
}

std::uint64_t DateColumn::size() const {
    return m_repeats ? m_cells.size() : static_cast<std::uint64_t>(m_lastUnit - m_firstUnit) + 1;
}

}  // namespace ovantis
