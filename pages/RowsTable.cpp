#include "RowsTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "CountLine.h"
#include "FieldTexts.h"
#include "RowsFields.h"
#include "RunLimits.h"

namespace ovantis {
namespace {

// What makes a cell need quoting or escaping: CSV quotes a cell holding a
// comma or a quote; JSON escapes quotes and backslashes, SQL doubles quotes.
// Cells never hold controls (every kind refuses them), so no format has a
// line end or a tab to escape.
constexpr std::string_view specials(RowsFormat format) {
    switch (format) {
        case RowsFormat::Csv:
            return ",\"";
        case RowsFormat::JsonLines:
            return "\"\\";
        case RowsFormat::Sql:
            return "'";
        case RowsFormat::Tsv:
            break;
    }
    return "";
}

// Quotes or escapes the cell in [start, end) in place when it needs it, and
// closes it with quote (0 for none); the room after it holds what that adds.
char* finishCell(char* start, char* end, RowsFormat format, char quote) {
    const std::string_view marks = specials(format);
    if (std::find_first_of(start, end, marks.begin(), marks.end()) != end) {
        // JSON escapes its marks; CSV and SQL double their quote, and CSV
        // opens one.
        const bool json = format == RowsFormat::JsonLines;
        const char doubled = format == RowsFormat::Csv ? '"' : '\'';
        const auto grows = [&](char c) {
            return json ? marks.find(c) != std::string_view::npos : c == doubled;
        };
        const bool opens = format == RowsFormat::Csv;
        char* to = end + std::count_if(start, end, grows) + (opens ? 1 : 0);
        char* const grown = to;
        for (char* from = end; from != start;) {
            const char c = *--from;
            *--to = c;
            if (grows(c)) {
                *--to = json ? '\\' : c;
            }
        }
        if (opens) {
            *--to = '"';
            quote = '"';
        }
        end = grown;
    }
    if (quote != 0) {
        *end++ = quote;
    }
    return end;
}

char* put(char* at, std::string_view text) {
    return std::copy(text.begin(), text.end(), at);
}

// Out of line: inlined, g++ 12 warns of an overlapping copy that cannot happen.
[[gnu::noinline]] std::string jsonKey(bool first, const std::string& name) {
    std::string key(first ? "{\"" : ",\"");
    key += name;
    key += "\":";
    return key;
}

std::string oneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace

std::optional<RowsFormat> RowsTable::formatNamed(std::string_view name) {
    constexpr std::pair<std::string_view, RowsFormat> kNames[] = {{"csv", RowsFormat::Csv},
                                                                  {"tsv", RowsFormat::Tsv},
                                                                  {"jsonl", RowsFormat::JsonLines},
                                                                  {"sql", RowsFormat::Sql}};
    for (const auto& [text, format] : kNames) {
        if (name == text) {
            return format;
        }
    }
    return std::nullopt;
}

bool RowsTable::readShard(std::string_view text, std::uint32_t& shard, std::uint32_t& shards) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        return false;
    }
    const auto whole = [](std::string_view digits, std::uint32_t& value) {
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, value);
        return !digits.empty() && digits[0] != '+' && error == std::errc() && stop == end;
    };
    return whole(text.substr(0, slash), shard) && whole(text.substr(slash + 1), shards) &&
           shard >= 1 && shard <= shards && shards <= kMostShards;
}

EntropyPool RowsTable::seededKey(std::uint64_t seed) {
    // The seed's two words under a tag of their own, so no other use of a
    // seed shares this stream.
    const EntropyPool::Key key{static_cast<std::uint32_t>(seed),
                               static_cast<std::uint32_t>(seed >> 32), 0x776F524F,  // "ORow"
                               0x00000073};
    return EntropyPool(key, EntropyPool::Nonce{}, 0);
}

SchemaRefusal RowsTable::check(const std::vector<ColumnSettings>& columns, const Run& run,
                               const EntropyPool& key, std::optional<RowsTable>& table) {
    table.reset();
    RowsTable t(run, key);
    if (columns.empty()) {
        return {.refusal = {.kind = Refusal::Kind::NoColumns}};
    }
    const RowColumn::Run columnRun{
        .rows = run.rows, .budget = run.budget, .words = run.words, .nowMillis = run.nowMillis};
    std::uint64_t memory = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnSettings& c = columns[i];
        const auto refuse = [&](Refusal r) {
            return SchemaRefusal{.refusal = std::move(r),
                                 .column = static_cast<int>(i) + 1,
                                 .name = c.name,
                                 .line = c.line,
                                 .character = c.character};
        };
        std::optional<RowColumn> column;
        if (Refusal r = RowColumn::check(c, columnRun, column)) {
            return refuse(std::move(r));
        }
        const bool unique = c.unique || (c.kind == ColumnKind::String && c.string.unique) ||
                            (c.kind == ColumnKind::Number && c.number.unique) ||
                            (c.kind == ColumnKind::Pattern && c.pattern.unique);
        if (unique && run.shards > 1) {
            return refuse({.kind = Refusal::Kind::UniqueAcrossShards, .values = {c.name}});
        }
        t.m_sequential = t.m_sequential || unique;
        memory += column->memoryNeeded();
        t.m_columns.push_back(std::move(*column));
    }
    if (Refusal r = refuseMemory(memory, run.budget, run.rows)) {
        return {.refusal = r};
    }
    // Each column's text before its cell, and the row's end.
    std::string names;
    for (std::size_t i = 0; i < t.m_columns.size(); ++i) {
        const std::string& name = t.m_columns[i].settings().name;
        names += i == 0 ? "\"" : ", \"";
        names += name + '"';
        switch (run.format) {
            case RowsFormat::Csv:
                t.m_prefixes.push_back(i == 0 ? "" : ",");
                break;
            case RowsFormat::Tsv:
                t.m_prefixes.push_back(i == 0 ? "" : "\t");
                break;
            case RowsFormat::JsonLines:
                t.m_prefixes.push_back(jsonKey(i == 0, name));
                t.m_rowEnd = "}";
                break;
            case RowsFormat::Sql:
                t.m_prefixes.push_back(i == 0 ? "" : ", ");
                t.m_rowEnd = ");";
                break;
        }
    }
    // JSON and SQL quote every cell but numbers; the quote opens in the prefix.
    for (std::size_t i = 0; i < t.m_columns.size(); ++i) {
        const bool quoted = !t.m_columns[i].numeric() &&
                            (run.format == RowsFormat::JsonLines || run.format == RowsFormat::Sql);
        t.m_quotes.push_back(!quoted ? 0 : run.format == RowsFormat::Sql ? '\'' : '"');
        t.m_plain.push_back(!t.m_columns[i].mayHold(specials(run.format)));
    }
    if (run.format == RowsFormat::Sql) {
        std::string& first = t.m_prefixes[0];
        first = "INSERT INTO \"";
        first.append(run.table).append("\" (").append(names).append(") VALUES (");
    }
    for (std::size_t i = 0; i < t.m_columns.size(); ++i) {
        if (t.m_quotes[i] != 0) {
            t.m_prefixes[i] += t.m_quotes[i];
        }
    }
    std::int64_t most = static_cast<std::int64_t>(t.m_rowEnd.size());
    for (std::size_t i = 0; i < t.m_columns.size(); ++i) {
        // Quoting at most doubles a cell, and adds its two quotes.
        most += static_cast<std::int64_t>(t.m_prefixes[i].size()) +
                2 * t.m_columns[i].maxCellBytes() + 2;
    }
    t.m_maxRowBytes = most;
    const auto rows = static_cast<std::uint64_t>(std::max(run.rows, 0));
    t.m_first = rows * (run.shard - 1) / run.shards;
    t.m_end = rows * run.shard / run.shards;
    table.emplace(std::move(t));
    return {};
}

void RowsTable::appendHeader(std::string& out, std::string_view lineEnd) const {
    if (!m_run.header || m_run.shard != 1 ||
        (m_run.format != RowsFormat::Csv && m_run.format != RowsFormat::Tsv)) {
        return;
    }
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        out += m_prefixes[i];
        out += m_columns[i].settings().name;
    }
    out += lineEnd;
}

std::vector<std::string> RowsTable::infoLines(Language language) const {
    std::vector<std::string> lines;
    double bits = 0;
    for (const RowColumn& c : m_columns) {
        std::string line = c.settings().name + ": ";
        if (c.count().isZero()) {
            line += bitsLine(c.bits(), language);
        } else {
            line += countLine(c.count(), language);
            // Unequal chances give fewer bits than the count's.
            if (std::abs(c.bits() - c.count().log2()) > 0.05) {
                line += texts::kRowsEntropy.fill(language, {oneDecimal(c.bits())});
            }
        }
        bits += c.settings().kind == ColumnKind::Row ? 0 : c.bits();
        lines.push_back(std::move(line));
    }
    lines.push_back(texts::kRowBits.fill(language, {oneDecimal(bits)}));
    return lines;
}

std::string RowsTable::summary(Language language) const {
    double bits = 0;
    std::string each;
    for (const RowColumn& c : m_columns) {
        if (c.settings().kind != ColumnKind::Row) {
            bits += c.bits();
            each += each.empty() ? "" : ", ";
            each += c.settings().name + ' ' + oneDecimal(c.bits());
        }
    }
    return texts::kRowBitsEach.fill(language, {oneDecimal(bits), each});
}

RowsTable::Worker::Worker(const RowsTable& table)
    : m_table(table), m_random(std::make_unique<EntropyPool>(table.m_key)) {
    for (std::size_t i = 0; i < table.m_columns.size(); ++i) {
        Cell cell{.maker = table.m_columns[i].maker(m_random),
                  .prefixSize = table.m_prefixes[i].size(),
                  .quote = table.m_quotes[i],
                  .plain = table.m_plain[i]};
        if (cell.prefixSize < cell.prefix.size()) {
            put(cell.prefix.data(), table.m_prefixes[i]);
        } else {
            cell.longPrefix = &table.m_prefixes[i];
        }
        m_cells.push_back(std::move(cell));
    }
}

void RowsTable::Worker::appendRows(std::string& out, std::uint64_t from, std::uint64_t to,
                                   std::string_view lineEnd) {
    while (from < to) {
        const std::uint64_t end = std::min(to, from + kStreamRows);
        out += makeRows(from, end, lineEnd);
        from = end;
    }
}

std::string_view RowsTable::Worker::makeRows(std::uint64_t from, std::uint64_t to,
                                             std::string_view lineEnd) {
    const std::size_t room = static_cast<std::size_t>(m_table.m_maxRowBytes) + lineEnd.size();
    const std::size_t size = static_cast<std::size_t>(to - from) * room + CellMaker::kSlack;
    if (size > m_size) {
        m_buffer = std::make_unique_for_overwrite<char[]>(size);
        m_size = size;
    }
    m_endingSize = m_table.m_rowEnd.size() + lineEnd.size();
    if (m_endingSize <= m_ending.size()) {
        put(put(m_ending.data(), m_table.m_rowEnd), lineEnd);
    }
    char* at = m_buffer.get();
    for (std::uint64_t row = from; row < to; ++row) {
        // A stream's rows come in order from its start: rows before from in
        // its stream are made and dropped.
        if (!m_next || *m_next != row || row % kStreamRows == 0) {
            const std::uint64_t start = row - row % kStreamRows;
            m_random.restartStream(start / kStreamRows);
            for (std::uint64_t skipped = start; skipped < row; ++skipped) {
                writeRow(at, skipped);
            }
        }
        at = writeRow(at, row);
        if (m_endingSize <= m_ending.size()) {
            std::memcpy(at, m_ending.data(), m_ending.size());
            at += m_endingSize;
        } else {
            at = put(put(at, m_table.m_rowEnd), lineEnd);
        }
        m_next = row + 1;
    }
    return {m_buffer.get(), static_cast<std::size_t>(at - m_buffer.get())};
}

char* RowsTable::Worker::writeRow(char* at, std::uint64_t row) {
    char* const rowStart = at;
    for (Cell& cell : m_cells) {
        if (cell.longPrefix == nullptr) {
            std::memcpy(at, cell.prefix.data(), cell.prefix.size());
            at += cell.prefixSize;
        } else {
            at = put(at, *cell.longPrefix);
        }
        char* const start = at;
        at = cell.maker->write(at, row);
        if (!cell.plain) {
            at = finishCell(start, at, m_table.m_run.format, cell.quote);
        } else if (cell.quote != 0) {
            *at++ = cell.quote;
        }
    }
    // A lone empty cell would be a blank line, which readers skip.
    if (at == rowStart && m_table.m_run.format == RowsFormat::Csv) {
        at = put(at, "\"\"");
    }
    return at;
}

}  // namespace ovantis
