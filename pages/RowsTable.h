#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "EntropyPool.h"
#include "HashMemory.h"
#include "Language.h"
#include "RandomSource.h"
#include "RowColumn.h"
#include "SchemaReader.h"

namespace ovantis {

// A checked table: its columns, the part of the run to make, and how rows
// are written. Rows are drawn in stretches of kStreamRows, each from its own
// stream of one key, so any part of a run, made anywhere and by any number of
// workers, holds the same bytes as that part of the whole run.
class RowsTable {
  public:
    static constexpr std::uint64_t kStreamRows = 1024;
    static constexpr std::uint32_t kMostShards = 1'000'000;

    struct Run {
        RowsFormat format = RowsFormat::Csv;
        bool header = true;
        std::string table = "rows";
        std::int32_t rows = 10;
        // Part shard of shards, from 1.
        std::uint32_t shard = 1;
        std::uint32_t shards = 1;
        std::uint64_t budget = std::uint64_t{hashMemory::kDefaultBudgetMiB} << 20;
        const WordList* words = nullptr;
        std::optional<std::int64_t> nowMillis{};
    };

    // The table, or why not. key is the run's stream key: from its seed, or
    // from the system.
    static SchemaRefusal check(const std::vector<ColumnSettings>& columns, const Run& run,
                               const EntropyPool& key, std::optional<RowsTable>& table);
    // The key of a seeded run: the same for that seed in every version.
    static EntropyPool seededKey(std::uint64_t seed);
    // "csv" and the like, or nothing.
    static std::optional<RowsFormat> formatNamed(std::string_view name);
    // "K/N", or nothing.
    static bool readShard(std::string_view text, std::uint32_t& shard, std::uint32_t& shards);

    // The rows of this part, as indices into the whole run.
    std::uint64_t firstRow() const { return m_first; }
    std::uint64_t endRow() const { return m_end; }
    std::int64_t maxRowBytes() const { return m_maxRowBytes; }
    // Whether rows depend on those before them (a unique column), so one
    // worker makes them all, in order.
    bool sequential() const { return m_sequential; }
    // The header line, when this part has one.
    void appendHeader(std::string& out, std::string_view lineEnd) const;
    // Each column's count and bits, then a row's bits.
    std::vector<std::string> infoLines(Language language) const;
    // A row's bits, and each drawn column's, on one short line.
    std::string summary(Language language) const;

    // Makes rows with makers of its own; one for each thread.
    class Worker {
      public:
        explicit Worker(const RowsTable& table);
        // Appends rows [from, to), each ended by lineEnd.
        void appendRows(std::string& out, std::uint64_t from, std::uint64_t to,
                        std::string_view lineEnd);
        // Rows [from, to), each ended by lineEnd, in the worker's own buffer
        // until its next call.
        std::string_view makeRows(std::uint64_t from, std::uint64_t to, std::string_view lineEnd);

      private:
        char* writeRow(char* at, std::uint64_t row);

        // A column as this worker writes it: short texts sit in slots of 16
        // bytes, copied whole.
        struct Cell {
            std::unique_ptr<CellMaker> maker;
            std::array<char, 16> prefix{};
            std::size_t prefixSize = 0;
            const std::string* longPrefix = nullptr;
            char quote = 0;
            bool plain = false;
        };

        const RowsTable& m_table;
        RandomSource m_random;
        std::vector<Cell> m_cells{};
        std::array<char, 16> m_ending{};
        std::size_t m_endingSize = 0;
        // The next row the stream would give, or none before the first.
        std::optional<std::uint64_t> m_next{};
        std::unique_ptr<char[]> m_buffer{};
        std::size_t m_size = 0;
    };

  private:
    RowsTable(const Run& run, const EntropyPool& key) : m_run(run), m_key(key) {}

    Run m_run;
    EntropyPool m_key;
    std::vector<RowColumn> m_columns{};
    std::vector<std::string> m_prefixes{};
    // The quote that closes each column's cells, or 0 for none.
    std::vector<char> m_quotes{};
    // Columns whose cells never need quoting or escaping in the format.
    std::vector<bool> m_plain{};
    std::string_view m_rowEnd;
    std::uint64_t m_first = 0;
    std::uint64_t m_end = 0;
    std::int64_t m_maxRowBytes = 0;
    bool m_sequential = false;
};

}  // namespace ovantis
