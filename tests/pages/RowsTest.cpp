#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <tuple>

#include "BatchRun.h"
#include "ControlIds.h"
#include "RowsPageLogic.h"
#include "RowsTable.h"
#include "SchemaReader.h"
#include "ScriptedHost.h"
#include "WordList.h"

namespace ovantis {
namespace {

using Kind = Refusal::Kind;
using namespace std::literals;

// Page kinds take their options from the front end; here they take none.
const SchemaReader::PageOptions kNoOptions = [](ColumnSettings&,
                                                const std::vector<std::string>& words) {
    return words.empty() ? Refusal{} : Refusal{.kind = Kind::PageOptions, .values = {words[0]}};
};

std::vector<ColumnSettings> columns(std::string_view schema) {
    std::vector<ColumnSettings> read;
    const SchemaRefusal r = SchemaReader::read(schema, kNoOptions, read);
    EXPECT_FALSE(r) << schema << ": kind " << static_cast<int>(r.refusal.kind);
    return read;
}

// The rows of a seeded run's part, made by one worker.
std::string rows(std::string_view schema, RowsTable::Run run, std::uint64_t seed = 7) {
    std::optional<RowsTable> table;
    const SchemaRefusal r =
        RowsTable::check(columns(schema), run, RowsTable::seededKey(seed), table);
    EXPECT_FALSE(r) << schema;
    if (r) {
        return {};
    }
    std::string out;
    table->appendHeader(out, "\n");
    RowsTable::Worker(*table).appendRows(out, table->firstRow(), table->endRow(), "\n");
    return out;
}

TEST(SchemaText, CutsColumnsAndWordsAsAShellDoes) {
    const struct {
        const char* text;
        std::vector<std::vector<std::string>> words;
    } cases[] = {
        {"a row; b uuid", {{"a", "row"}, {"b", "uuid"}}},
        {"a row\n\n# a comment; still\nb uuid # c x", {{"a", "row"}, {"b", "uuid"}}},
        {"v oneof 'x y' \"say \\\"hi\\\"\" a\\ b '#;'",
         {{"v", "oneof", "x y", "say \"hi\"", "a b", "#;"}}},
        {"v oneof it's#not", {}},  // an open quote, below
    };
    for (const auto& c : cases) {
        std::vector<std::vector<SchemaWord>> split;
        SchemaWord at;
        const Refusal r = SchemaText::split(c.text, split, at);
        if (c.words.empty()) {
            EXPECT_EQ(r.kind, Kind::OpenQuote) << c.text;
            EXPECT_EQ(at.character, 11) << c.text;
            continue;
        }
        ASSERT_FALSE(r) << c.text;
        std::vector<std::vector<std::string>> got;
        for (const auto& column : split) {
            got.emplace_back();
            for (const SchemaWord& w : column) {
                got.back().push_back(w.text);
            }
        }
        EXPECT_EQ(got, c.words) << c.text;
    }
}

TEST(SchemaReader, RefusesWithTheColumnAndThePlace) {
    const struct {
        const char* schema;
        Kind kind;
        int column, line, character;
    } cases[] = {
        {"", Kind::NoColumns, 0, 0, 0},
        {"1a row", Kind::BadColumnName, 1, 1, 1},
        {"a row; a uuid", Kind::RepeatedName, 2, 1, 8},
        {"a row\nb dates", Kind::UnknownKind, 2, 2, 3},
        {"a", Kind::UnknownKind, 1, 1, 1},
        {"a row 1 2", Kind::BadArgument, 1, 1, 9},
        {"a uuid 5", Kind::BadArgument, 1, 1, 8},
        {"a uuid 7 tomorrow", Kind::BadDate, 1, 1, 10},
        {"a words 65", Kind::BadArgument, 1, 1, 9},
        {"a oneof", Kind::NoValues, 1, 1, 3},
        {"a oneof --weights 1,x b c", Kind::BadWeights, 1, 1, 19},
        {"a oneof --weights 1 b c", Kind::BadWeights, 1, 1, 3},
        {"a oneof --weights 0,0 b c", Kind::BadWeights, 1, 1, 19},
        {"a oneof 'x\ty'", Kind::ControlInValue, 1, 1, 9},
        {"a date 2020-02-30..2021-01-01", Kind::BadDate, 1, 1, 3},
        {"a date 2021-01-01..2020-01-01", Kind::DatesReversed, 1, 1, 3},
        {"a date --format %Q", Kind::BadFormat, 1, 1, 3},
        {"a date --zone Mars/Base", Kind::BadZone, 1, 1, 3},
        {"a string -U", Kind::PageOptions, 1, 1, 3},
        {"a row 'open", Kind::OpenQuote, 0, 1, 7},
        {"a oneof x\\", Kind::EscapesNothing, 0, 1, 10},
        {"a row\nb oneof x\\\ny", Kind::EscapesNothing, 0, 2, 10},
        {"a oneof b --weights", Kind::NoOptionValue, 1, 1, 11},
        {"a words --separator", Kind::NoOptionValue, 1, 1, 9},
        {"a date --zone", Kind::NoOptionValue, 1, 1, 8},
        {"a uuid 7 1969-12-31T23:59:59", Kind::UuidBeforeEpoch, 1, 1, 10},
    };
    // No cell can hold a line end, a tab or a NUL: the schema refuses them.
    for (const std::string_view schema :
         {"a oneof 'x\ny'"sv, "a oneof x\0y"sv, "a oneof x\x01y"sv}) {
        std::vector<ColumnSettings> read;
        EXPECT_TRUE(SchemaReader::read(schema, kNoOptions, read)) << schema;
    }
    for (const auto& c : cases) {
        std::vector<ColumnSettings> read;
        const SchemaRefusal r = SchemaReader::read(c.schema, kNoOptions, read);
        EXPECT_EQ(r.refusal.kind, c.kind) << c.schema;
        EXPECT_EQ(r.column, c.column) << c.schema;
        EXPECT_EQ(r.line, c.line) << c.schema;
        EXPECT_EQ(r.character, c.character) << c.schema;
    }
    // A control is named, never printed; version 7's time starts in 1970.
    std::vector<ColumnSettings> read;
    EXPECT_EQ(SchemaReader::read("a oneof 'x\ty'", kNoOptions, read).refusal.values,
              (std::vector<std::string>{"oneof", "U+0009"}));
    EXPECT_EQ(columns("a uuid 7 1970-01-01")[0].uuidMillis.value_or(-1), 0);
    // Texts read together count their lines apart and name the one at fault.
    std::vector<std::size_t> sourceOf;
    const SchemaRefusal r = SchemaReader::read(
        std::vector<std::string_view>{"a row\nb row", "c row\na uuid"}, kNoOptions, read, sourceOf);
    EXPECT_EQ(r.refusal.kind, Kind::RepeatedName);
    EXPECT_EQ(std::tuple(r.column, r.line, r.character, r.source), std::tuple(4, 2, 1, 1u));
    EXPECT_EQ(SchemaReader::read(std::vector<std::string_view>{"a row", "b row\n'c"}, kNoOptions,
                                 read, sourceOf)
                  .source,
              1u);
}

// Each name is looked up once, not against every column before it.
TEST(RowsTable, QuotesEachFormatsSpecialCharactersAndOnlyThose) {
    const char* schema = "n row 41; v oneof 'a,b' 'say \"hi\"' \"it's\" 'back\\slash'";
    std::map<std::string, int> seen;
    const struct {
        RowsFormat format;
        const char* header;
        std::vector<std::string> rows;
    } cases[] = {
        {RowsFormat::Csv, "n,v\n", {"\"a,b\"", "\"say \"\"hi\"\"\"", "it's", "back\\slash"}},
        {RowsFormat::Tsv, "n\tv\n", {"a,b", "say \"hi\"", "it's", "back\\slash"}},
        {RowsFormat::JsonLines,
         "",
         {"\"a,b\"", "\"say \\\"hi\\\"\"", "\"it's\"", "\"back\\\\slash\""}},
        {RowsFormat::Sql, "", {"'a,b'", "'say \"hi\"'", "'it''s'", "'back\\slash'"}},
    };
    for (const auto& c : cases) {
        const std::string out = rows(schema, {.format = c.format, .rows = 200});
        EXPECT_TRUE(out.starts_with(c.header)) << out.substr(0, 40);
        for (const std::string& cell : c.rows) {
            EXPECT_NE(out.find(cell), std::string::npos) << cell;
        }
    }
    EXPECT_TRUE(
        rows(schema, {.format = RowsFormat::JsonLines, .rows = 1}).starts_with("{\"n\":41,\"v\":"));
    EXPECT_TRUE(rows(schema, {.format = RowsFormat::Sql, .table = "t", .rows = 1})
                    .starts_with("INSERT INTO \"t\" (\"n\", \"v\") VALUES (41, '"));
}

TEST(RowsTable, PartsInOrderEqualTheWholeRun) {
    const char* schema = "id row; w words 3; d date; u uuid; p oneof --weights 1,2 x y";
    const std::int32_t count = 2500;
    const std::string whole = rows(schema, {.rows = count});
    for (std::uint32_t n = 1; n <= 8; ++n) {
        std::string joined;
        for (std::uint32_t k = 1; k <= n; ++k) {
            joined += rows(schema, {.rows = count, .shard = k, .shards = n});
        }
        EXPECT_EQ(joined, whole) << n << " parts";
    }
    EXPECT_NE(rows(schema, {.rows = count}, 8), whole);
}

TEST(RowsTable, WeightedValuesComeAsOftenAsTheirWeights) {
    const std::string out =
        rows("v oneof --weights 1,2,3,4 a b c d", {.header = false, .rows = 100000});
    std::map<char, double> seen;
    for (std::size_t at = 0; at < out.size(); at += 2) {
        ++seen[out[at]];
    }
    double chi = 0;
    for (const auto& [value, weight] :
         std::map<char, double>{{'a', 1}, {'b', 2}, {'c', 3}, {'d', 4}}) {
        const double expected = 100000 * weight / 10;
        chi += (seen[value] - expected) * (seen[value] - expected) / expected;
    }
    EXPECT_LT(chi, 16.27);  // p = 0.001 at 3 degrees of freedom
}

TEST(RowsTable, UuidsCarryTheirVersionAndVariant) {
    const std::regex v4("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}\n");
    const std::regex v7("019b76da-a800-7[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}\n");
    const std::string four = rows("u uuid", {.header = false, .rows = 50});
    const std::string seven = rows("u uuid 7 2026-01-01", {.header = false, .rows = 50});
    for (std::size_t at = 0; at < four.size(); at += 37) {
        EXPECT_TRUE(std::regex_match(four.substr(at, 37), v4)) << four.substr(at, 37);
        EXPECT_TRUE(std::regex_match(seven.substr(at, 37), v7)) << seven.substr(at, 37);
    }
}

TEST(RowsTable, RefusesWhatARunCannotKeep) {
    const struct {
        const char* schema;
        RowsTable::Run run;
        Kind kind;
    } cases[] = {
        {"v oneof a b --unique", {.rows = 3}, Kind::TooFewPossible},
        {"v words 1 --unique", {.rows = 100, .shard = 1, .shards = 2}, Kind::UniqueAcrossShards},
        {"u uuid 7", {.rows = 1}, Kind::Uuid7NeedsTime},
        {"n row 9223372036854775807", {.rows = 2}, Kind::BadArgument},
        {"n row 9223372036854775806", {.rows = 2}, Kind::None},
        {"m date --format %m --unique", {.rows = 13}, Kind::TooFewPossible},
        {"v oneof a a b --unique", {.rows = 3}, Kind::TooFewPossible},
        // A word of the list holds a hyphen: drop-down-felt-tip is two ways two words.
        {"w words 3 --separator - --unique", {.rows = 2}, Kind::WordsRunTogether},
        {"w words 2 --separator '' --unique", {.rows = 2}, Kind::WordsRunTogether},
        // Row numbers never repeat, so --unique asks nothing of the shards.
        {"n row --unique", {.rows = 100, .shard = 1, .shards = 2}, Kind::None},
    };
    for (const auto& c : cases) {
        std::optional<RowsTable> table;
        EXPECT_EQ(
            RowsTable::check(columns(c.schema), c.run, RowsTable::seededKey(1), table).refusal.kind,
            c.kind)
            << c.schema;
    }
}

// Drawn without replacement: a run as long as the column's every cell ends,
// however unlikely its last cell.
TEST(RowsTable, UniqueColumnsGiveEveryCellOnceUpToTheirLast) {
    const struct {
        const char* schema;
        std::int32_t rows;
    } cases[] = {
        {"v oneof a b c d --unique", 4},
        {"v oneof a a b --unique", 2},
        {"v oneof --weights 1,4294967294 a b --unique", 2},
        {"m date 2020-01-01..2022-12-31 --format %m --unique", 12},
        {"d date 2024-01-01..2024-12-31 --format %F --unique", 366},
        {"w words 1 --unique", 7776},
        {"w words 2 --unique", 5000},
    };
    for (const auto& c : cases) {
        const std::string out = rows(c.schema, {.header = false, .rows = c.rows});
        std::map<std::string, int> seen;
        for (std::size_t at = 0, end = 0; at < out.size(); at = end + 1) {
            end = out.find('\n', at);
            ++seen[out.substr(at, end - at)];
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(c.rows)) << c.schema;
    }
}

TEST(RowsTable, ALoneEmptyCellIsNoBlankLine) {
    EXPECT_EQ(rows("e oneof ''", {.rows = 2}), "e\n\"\"\n\"\"\n");
    EXPECT_EQ(rows("e oneof ''; f oneof ''", {.header = false, .rows = 1}), ",\n");
}

TEST(WordList, KeepsEachWordOnceAndRefusesWhatIsNoWord) {
    EXPECT_EQ(WordList::builtIn().size(), 7776u);
    EXPECT_EQ(WordList::builtIn().word(0), "abacus");
    const struct {
        const char* text;
        Kind kind;
        std::size_t size;
    } cases[] = {
        {"b\r\na\n\nb\n", Kind::None, 2}, {"", Kind::NoWords, 0},
        {"a\nb c\n", Kind::BadWord, 0},   {"a\n\x01\n", Kind::BadWord, 0},
        {"\xff\n", Kind::BadWord, 0},
    };
    for (const auto& c : cases) {
        WordList list;
        EXPECT_EQ(WordList::read(c.text, list).kind, c.kind) << c.text;
        EXPECT_EQ(list.size(), c.size) << c.text;
    }
    // Many words, each twice: the first of each kept in order, in the text given.
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += "w" + std::to_string(i % 10000) + "\n";
    }
    const char* const given = text.data();
    WordList list;
    ASSERT_FALSE(WordList::read(std::move(text), list));
    ASSERT_EQ(list.size(), 10000u);
    EXPECT_EQ(list.word(0).data(), given);
    EXPECT_EQ(list.word(9999), "w9999");
}

// The page on a scripted host, drawing from a classic source at second 1.
struct RowsPage {
    RandomSource random{RandomSource::Kind::Classic, [] { return std::time_t{1}; }};
    test::ScriptedHost host{RowsPageLogic::initialContent()};
    RowsPageLogic page{host, random, kNoOptions};
};

TEST(RowsPage, ShowsBitsAsTypedAndMakesTheHeaderAndRows) {
    RowsPage p;
    p.host.texts[ids::kRowsSchema] = "id row; v oneof a b";
    p.page.OnColumnsEdited();
    EXPECT_EQ(p.host.armedDelay, RowsPageLogic::kCountDelayMs);
    p.page.OnTimer();
    EXPECT_EQ(p.host.texts[ids::kRowsInfo], "每行 1.0 位（v 1.0）");
    p.host.texts[ids::kRowsCount] = "3";
    BatchRun(p.page);
    EXPECT_TRUE(std::regex_match(p.host.texts[ids::kRowsOutput],
                                 std::regex("id,v\r\n1,[ab]\r\n2,[ab]\r\n3,[ab]\r\n")))
        << p.host.texts[ids::kRowsOutput];
    // The classic source's second keys the rows, so --seed makes them again.
    EXPECT_EQ(p.page.seed(), std::time_t{1});
    p.host.texts[ids::kRowsSchema] = "id row; v oneof";
    p.host.notices.clear();
    BatchRun(p.page);
    ASSERT_EQ(p.host.notices.size(), 1u);
    EXPECT_EQ(p.host.notices[0],
              "表格设定无效！\n第 2 列 v（第 1 行第 11 个字符）：需要至少一个值");
}

}  // namespace
}  // namespace ovantis
