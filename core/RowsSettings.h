#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DateSettings.h"
#include "NumberSettings.h"
#include "PatternSettings.h"
#include "StringSettings.h"

namespace ovantis {

enum class ColumnKind { String, Number, Pattern, Date, OneOf, Words, Row, Uuid };

// One column of a table: its name, its kind and that kind's settings.
struct ColumnSettings {
    std::string name{};
    ColumnKind kind = ColumnKind::Row;
    StringSettings string;
    NumberSettings number;
    PatternSettings pattern;
    DateSettings date;
    // One of: the values, and a weight each or none for equal chances.
    std::vector<std::string> values{};
    std::vector<std::uint64_t> weights{};
    // Words: how many, and what stands between them.
    std::int32_t words = 4;
    std::string separator = " ";
    // Row: the first row's number.
    std::int64_t start = 1;
    // UUID: 4 or 7, and version 7's time in milliseconds when given.
    int uuidVersion = 4;
    std::optional<std::int64_t> uuidMillis{};
    bool unique = false;
    // Where the column starts in its schema, for refusals to point at.
    int line = 1;
    int character = 1;
};

enum class RowsFormat { Csv, Tsv, JsonLines, Sql };

// A table as asked for; the schema is text until read into columns.
struct RowsSettings {
    std::string schema =
        "id row; name words 2 --separator _; born date 1950-01-01..2005-12-31 "
        "--format %F; score number --decimal --range 0..100 --places 1";
    std::string format = "csv";
    bool noHeader = false;
    std::string table = "rows";
    std::int32_t count = 10;
    // The part of the run to make: "K/N", or empty for all of it.
    std::string shard{};
    // Files: the schema, and the words of words columns; empty for none.
    std::string schemaFile{};
    std::string words{};
    bool info = false;
};

}  // namespace ovantis
