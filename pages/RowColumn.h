#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "BigCount.h"
#include "RandomSource.h"
#include "Refusal.h"
#include "RowsSettings.h"
#include "WordList.h"

namespace ovantis {

// Makes one column's cells from one source; each worker of a run has its own.
class CellMaker {
  public:
    virtual ~CellMaker() = default;
    // Appends the cell of row (counted from 0 over the whole run).
    virtual void append(std::string& out, std::uint64_t row) = 0;
};

// One checked column of a table: what its cells can be, and makers of them.
class RowColumn {
  public:
    // What a column's check needs to know of its run.
    struct Run {
        std::int32_t rows = 0;
        std::uint64_t budget = 0;
        const WordList* words = nullptr;
        // Version 7 UUIDs' time when their column names none; none for a
        // seeded run, whose rows must not depend on when it ran.
        std::optional<std::int64_t> nowMillis{};
    };

    // The column's refusal, or the column ready to make cells.
    static Refusal check(const ColumnSettings& settings, const Run& run,
                         std::optional<RowColumn>& column);

    const ColumnSettings& settings() const { return m_settings; }
    std::unique_ptr<CellMaker> maker(RandomSource& random) const;
    std::int64_t maxCellBytes() const { return m_maxBytes; }
    // How many different cells, and their bits (entropy, for unequal chances).
    const BigCount& count() const { return m_count; }
    double bits() const { return m_bits; }
    // Cells that are numbers, written bare in JSON and SQL.
    bool numeric() const;
    // Bytes a unique column keeps over the run.
    std::uint64_t memoryNeeded() const { return m_memory; }

  private:
    explicit RowColumn(const ColumnSettings& settings) : m_settings(settings) {}

    ColumnSettings m_settings;
    const WordList* m_words = nullptr;
    std::int64_t m_maxBytes = 0;
    BigCount m_count;
    double m_bits = 0;
    std::uint64_t m_memory = 0;
    std::int64_t m_millis = 0;
    // One of: cumulative weights, and the weights' total.
    std::vector<std::uint64_t> m_through{};
};

}  // namespace ovantis
