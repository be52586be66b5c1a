#include "DateColumn.h"

#include "EntropyPool.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ovantis {
namespace {

using Kind = Refusal::Kind;

std::string cellAt(const std::string& instant, const std::string& format,
                   const std::string& zone = "UTC") {
    const DateSettings s{.low = instant, .high = instant, .format = format, .zone = zone};
    EXPECT_FALSE(DateColumn::check(s)) << instant << " " << format << " " << zone;
    std::string out;
    RandomSource random;
    DateColumn(s).appendCell(out, random);
    EXPECT_LE(static_cast<std::int64_t>(out.size()), DateColumn(s).maxCellBytes()) << out;
    return out;
}

TEST(DateColumn, EndsAreCalendarInstantsInOrder) {
    struct Row {
        const char* low;
        const char* high;
        Kind kind;
        std::vector<std::string> values;
    } rows[] = {
        {"2024-02-29", "2024-02-29 12:30", Kind::None, {}},
        {"0001-01-01T00:00:00", "9999-12-31", Kind::None, {}},
        {"2023-02-29", "2024-01-01", Kind::BadDate, {"'2023-02-29'"}},
        {"1900-02-29", "2024-01-01", Kind::BadDate, {"'1900-02-29'"}},
        {"2024-01-01", "2024-04-31", Kind::BadDate, {"'2024-04-31'"}},
        {"0000-12-31", "2024-01-01", Kind::BadDate, {"'0000-12-31'"}},
        {"2024-1-01", "2024-01-01", Kind::BadDate, {"'2024-1-01'"}},
        {"2024-01-01T24:00", "2024-01-02", Kind::BadDate, {"'2024-01-01T24:00'"}},
        {"2024-01-01t10:00", "2024-01-02", Kind::BadDate, {"'2024-01-01t10:00'"}},
        {"2024-01-01", "2024-01-01T10:00:60", Kind::BadDate, {"'2024-01-01T10:00:60'"}},
        {"2024-01-01", " 2024-01-01", Kind::BadDate, {"' 2024-01-01'"}},
        {"2024-01-02", "2024-01-01", Kind::DatesReversed, {"2024-01-02", "2024-01-01"}},
    };
    for (const Row& row : rows) {
        const Refusal r = DateColumn::check({.low = row.low, .high = row.high});
        EXPECT_EQ(r.kind, row.kind) << row.low << ".." << row.high;
        EXPECT_EQ(r.values, row.values) << row.low << ".." << row.high;
    }
}

TEST(DateColumn, ZonesAreFixedOffsetsUpTo14Hours) {
    const std::pair<const char*, const char*> good[] = {
        {"UTC", "+00:00"},   {"uTc", "+00:00"}, {"z", "+00:00"},      {"-03:30", "-03:30"},
        {"+0530", "+05:30"}, {"+14", "+14:00"}, {"-14:00", "-14:00"}, {"-00:00", "+00:00"},
    };
    for (const auto& [zone, shown] : good) {
        EXPECT_EQ(cellAt("2024-01-01T00:00", "%:z", zone), shown) << zone;
    }
    for (const char* zone :
         {"", "GMT", "+15", "+14:01", "+1:00", "+05:60", "05:00", "+05:3", "+0530 ", "UTC+1"}) {
        const Refusal r = DateColumn::check({.zone = zone});
        EXPECT_EQ(r.kind, Kind::BadZone) << zone;
        EXPECT_EQ(r.values, std::vector<std::string>{"'" + std::string(zone) + "'"});
    }
}

TEST(DateColumn, FormatRefusesUnknownConversionsAndControls) {
    const std::pair<const char*, const char*> rows[] = {
        {"%Q", "%Q"},
        {"100%", "%"},
        {"%:y", "%:y"},
        {"%:", "%:"},
        {"%\xC3\xA9", "%\xC3\xA9"},
        {"a\tb", "\\x{9}"},
        {"\x7F", "\\x{7F}"},
        {"%F\xC2\x85", "\\x{85}"},
        {"\xFF%Q", "\\x{FF}"},
        {"\xED\xA0\x80", "\\x{ED}"},
    };
    for (const auto& [format, found] : rows) {
        const Refusal r = DateColumn::check({.format = format});
        EXPECT_EQ(r.kind, Kind::BadFormat) << format;
        EXPECT_EQ(r.values, std::vector<std::string>{found}) << format;
    }
}

TEST(DateColumn, PrintsKnownInstants) {
    const struct {
        const char* instant;
        const char* format;
        const char* zone;
        const char* cell;
    } rows[] = {
        {"2024-02-29T13:05:09", "%F %T|%Y%m%d %H%M%S", "UTC",
         "2024-02-29 13:05:09|20240229 130509"},
        {"2024-02-29", "%a %A %b %B %e %j %y", "UTC", "Thu Thursday Feb February 29 060 24"},
        {"2024-09-05", "%e|%d %B %A", "UTC", " 5|05 September Thursday"},
        {"2024-09-04", "%A %B", "UTC", "Wednesday September"},  // the longest names
        {"9999-12-31T23:59:59", "%FT%T %s %j", "UTC", "9999-12-31T23:59:59 253402300799 365"},
        {"0001-01-01T00:00:00", "%Y %y %j %A %s", "UTC", "0001 01 001 Monday -62135596800"},
        {"0001-01-01T00:00:00", "%s", "+14:00", "-62135647200"},
        {"1969-12-31T23:59:59", "%s %a", "UTC", "-1 Wed"},
        {"2024-12-31", "%j", "UTC", "366"},
        {"2024-01-01T00:00", "%s %z %:z", "-03:30", "1704079800 -0330 -03:30"},
        {"2024-01-01", "100%% 日付 %Y", "UTC", "100% 日付 2024"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(cellAt(row.instant, row.format, row.zone), row.cell) << row.format;
    }
}

// A format that leaves out a coarser field prints the same text again: the
// count is of texts, found over the range.
TEST(DateColumn, CountsDistinctTexts) {
    const struct {
        const char* low;
        const char* high;
        const char* format;
        std::uint64_t count;
    } rows[] = {
        {"2020-01-15", "2020-03-01", "%Y-%m", 3},
        {"2023-12-31T23:00", "2024-01-01", "%B", 2},
        {"2024-01-01", "2024-12-31", "%F", 366},
        {"2020-01-01T10:30:59", "2020-01-01T12:10", "%H:%M", 101},
        {"0001-01-01", "9999-12-31", "%Y", 9999},
        {"0001-01-01", "9999-12-31", "%s", 315537897600},
        {"0001-01-01", "9999-12-31", "at %z", 1},
        {"2020-01-01", "2022-12-31", "%m", 12},
        {"2021-02-01", "2021-02-28", "%d", 28},
        {"0001-01-01", "9999-12-31", "%d", 31},
        {"2020-01-01", "2020-01-03", "%a", 3},
        {"2020-01-01", "2020-01-01", "%S", 60},
        {"2020-01-01", "2029-12-31", "%H:%M", 1440},
        {"2020-01-01T22:00", "2020-01-02T02:59", "%H", 5},
        {"1900-01-01", "2099-12-31", "%y", 100},
        {"2021-01-01", "2023-12-31", "%b %d", 365},
        {"2020-01-01", "2023-12-31", "%m-%d", 366},
        {"2020-01-01", "2021-12-31", "%Y %d", 62},
        {"2023-01-01", "2024-12-31", "%j", 366},
        {"1950-01-01", "2005-12-31", "%y%m%d", 20454},
        {"2024-01-01", "2024-01-07", "%a %H", 168},
    };
    for (const auto& row : rows) {
        const DateSettings s{.low = row.low, .high = row.high, .format = row.format};
        EXPECT_FALSE(DateColumn::check(s)) << row.format;
        EXPECT_EQ(DateColumn(s).count(), BigCount(row.count)) << row.format << " " << row.low;
    }
}

TEST(DateColumn, RefusesRepeatingFormatsTooLongToWalk) {
    for (const char* format : {"%d %H", "%m-%d %T"}) {
        const Refusal r =
            DateColumn::check({.low = "1000-01-01", .high = "9999-12-31", .format = format});
        EXPECT_EQ(r.kind, Kind::DateRepeats) << format;
        EXPECT_EQ(r.values, (std::vector<std::string>{"'" + std::string(format) + "'", "4194304"}));
    }
    EXPECT_FALSE(DateColumn::check({.low = "2000-01-01", .high = "2000-12-31", .format = "%d %H"}));
}

// Months of 1, 28 and 1 days are equally likely, from the first cell to the last,
// and so is the 31st among days of months;
// thresholds are chi-square at p = 0.001.
TEST(DateColumn, DrawsAreUniformOverDistinctCells) {
    const struct {
        const char *low, *high, *format, *first, *last;
        double threshold;
    } rows[] = {
        {"2023-01-31", "2023-03-01", "%Y-%m", "2023-01", "2023-03", 13.816},
        {"2024-02-28T20:00", "2024-03-01T03:10", "%F %H", "2024-02-28 20", "2024-03-01 03", 61.098},
        {"2021-01-01", "2021-12-31", "%d", "01", "31", 59.703},
    };
    for (const auto& row : rows) {
        const DateColumn column({.low = row.low, .high = row.high, .format = row.format});
        RandomSource random(std::make_unique<EntropyPool>(EntropyPool::Key{1, 2, 3, 4, 5, 6, 7, 8},
                                                          EntropyPool::Nonce{0, 0, 0}, 0));
        std::map<std::string, int> tally;
        constexpr int kDraws = 30000;
        for (int i = 0; i < kDraws; ++i) {
            std::string cell;
            column.appendCell(cell, random);
            ++tally[cell];
        }
        ASSERT_EQ(BigCount(tally.size()), column.count()) << row.format;
        EXPECT_EQ(tally.begin()->first, row.first);
        EXPECT_EQ(tally.rbegin()->first, row.last);
        const double expected = static_cast<double>(kDraws) / static_cast<double>(tally.size());
        double chiSquare = 0;
        for (const auto& [cell, n] : tally) {
            chiSquare += (n - expected) * (n - expected) / expected;
        }
        EXPECT_LT(chiSquare, row.threshold) << row.format;
    }
}

}  // namespace
}  // namespace ovantis
