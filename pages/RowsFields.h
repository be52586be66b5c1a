#pragma once

#include "FieldTexts.h"
#include "Notices.h"
#include "PageField.h"
#include "RowsSettings.h"
#include "WindowTexts.h"

namespace ovantis {

namespace texts {
inline constexpr Text kRowsEntropy{"（不等概率：%1 位）", " (unequal chances: %1 bits)"};
inline constexpr Text kRowBits{"每行：%1 位", "a row: %1 bits"};
inline constexpr Text kRowBitsEach{"每行 %1 位（%2）", "%1 bits a row (%2)"};
inline constexpr Text kSchemaAt{"第 %1 列 %2（第 %3 行第 %4 个字符）：%5",
                                "column %1 %2 (line %3, character %4): %5"};
inline constexpr Text kSchemaPlace{"第 %1 行第 %2 个字符：%3", "line %1, character %2: %3"};
}  // namespace texts

// Schemas the window offers in the columns field's drop-down.
inline constexpr const char* kRowsExamples[] = {
    "id row; name words 2 --separator _; born date 1950-01-01..2005-12-31 --format %F; score "
    "number --decimal --range 0..100 --places 1",
    "id uuid; user pattern 'user_[a-z]{3}[0-9]{2}' --unique; email pattern "
    "'[a-z]{5,8}@(example|test)\\.(com|org)'",
    "order row 1000; placed date 2026-01-01..2026-12-31; status oneof --weights 6,3,1 paid "
    "shipped refunded; total number --decimal --range 1..500 --places 2",
    "login string -L -D --length 6..10 --unique; password words 5 --separator -; joined date "
    "2020-01-01..2026-12-31 --format '%F %T'",
};
inline constexpr const char* kRowsFormats[] = {"csv", "tsv", "jsonl", "sql"};

// The Rows page's fields, in the order the command line's help lists them.
inline constexpr PageField<RowsSettings> kRowsFields[] = {
    {.kind = FieldKind::Text,
     .control = ids::kRowsSchema,
     .text = &RowsSettings::schema,
     .names = "-c,--columns",
     .valueName = "SCHEMA",
     .at = {47, 12, 276, 14},
     .name = Text{"列", "Columns"},
     .label = Caption{{"列：", "Columns:"}, {16, 15, 29, 8}},
     .examples = kRowsExamples,
     .help = {"各列，以 ; 或换行分隔：名称 种类 [参数]；种类为 string number "
              "pattern（各带其命令的选项）、"
              "date [起..止] [--format F] [--zone Z]、oneof [--weights W,...] 值...、words [N] "
              "[--separator S]、row [起始]、uuid [4|7 [时间]]，任一列可加 --unique",
              "The columns, split by ; or lines: NAME KIND [ARGUMENTS]; the kinds are string, "
              "number and pattern (with their commands' options), date [LOW..HIGH] [--format F] "
              "[--zone Z], oneof [--weights W,...] VALUE..., words [N] [--separator S], row "
              "[START] and uuid [4|7 [TIME]]; any column takes --unique"}},
    {.kind = FieldKind::Note,
     .scope = FieldScope::WindowOnly,
     .control = ids::kRowsInfo,
     .at = {47, 29, 276, 16},
     .help = {"各列取值的种数及其位数，或表格无效的原因",
              "How many values each column can take and their bits, or why the columns are "
              "refused"}},
    {.kind = FieldKind::Text,
     .scope = FieldScope::CliOnly,
     .text = &RowsSettings::schemaFile,
     .names = "--schema",
     .valueName = "FILE",
     .help = {"从 FILE 读取各列（写法同 --columns，# 起为注释）",
              "Read the columns from FILE (as --columns; # starts a comment)"}},
    {.kind = FieldKind::Text,
     .control = ids::kRowsFormat,
     .text = &RowsSettings::format,
     .names = "--format",
     .valueName = "csv|tsv|jsonl|sql",
     .at = {47, 46, 40, 14},
     .name = Text{"格式", "Format"},
     .label = Caption{{"格式：", "Format:"}, {16, 48, 29, 8}},
     .examples = kRowsFormats,
     .help = {"输出格式：CSV（RFC 4180）、TSV、JSON Lines 或 SQL INSERT",
              "The output: CSV (RFC 4180), TSV, JSON Lines or SQL INSERT statements"}},
    {.control = ids::kRowsNoHeader,
     .check = &RowsSettings::noHeader,
     .names = "--no-header",
     .at = {96, 48, 50, 10},
     .name = Text{"无表头", "No header"},
     .help = {"CSV 和 TSV 不写表头行", "No header line in CSV and TSV"}},
    {.kind = FieldKind::Text,
     .scope = FieldScope::CliOnly,
     .text = &RowsSettings::table,
     .names = "--table",
     .valueName = "NAME",
     .help = {"SQL INSERT 的表名", "The table SQL INSERT statements name"}},
    {.kind = FieldKind::Text,
     .scope = FieldScope::CliOnly,
     .text = &RowsSettings::words,
     .names = "--words",
     .valueName = "FILE",
     .help = {"words 列从 FILE 取词（每行一个），不用内置的 7776 词英文表",
              "Words columns draw from FILE, a word a line, not the built-in list of 7,776 "
              "English words"}},
    {.kind = FieldKind::Text,
     .scope = FieldScope::CliOnly,
     .text = &RowsSettings::shard,
     .names = "--shard",
     .valueName = "K/N",
     .help = {"只生成 N 份中的第 K 份；用同一 --seed 时，N 份依次相接与一次生成逐字节相同",
              "Make part K of N only; with one --seed, the N parts in order equal the whole run "
              "byte for byte"}},
    {.scope = FieldScope::CliOnly,
     .check = &RowsSettings::info,
     .names = "--info",
     .help = {"不生成行，只显示各列取值的种数及其位数",
              "Print how many values each column can take and their bits, not rows"}},
    {.kind = FieldKind::Whole,
     .control = ids::kRowsCount,
     .whole = &RowsSettings::count,
     .notice = notices::kBadCount,
     .names = "-n,--count",
     .valueName = "N",
     .at = {193, 46, 28, 14},
     .name = texts::kCountName,
     .label = Caption{texts::kCountLabel, {151, 48, 41, 8}},
     .help = {"生成行数", "How many rows"}},
};

inline constexpr PageControls kRowsControls{ids::kRowsOutput, ids::kRowsGenerate, ids::kRowsExport,
                                            "表格.txt"};

}  // namespace ovantis
