#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "BigCount.h"
#include "DateColumn.h"
#include "RandomSource.h"
#include "Refusal.h"
#include "RowsSettings.h"
#include "WordList.h"

namespace ovantis {

// Makes one column's cells from one source; each worker of a run has its own.
class CellMaker {
  public:
    // Bytes a write may spoil past the cell it writes: copies of a fixed
    // size are the quickest.
    static constexpr std::size_t kSlack = 32;

    virtual ~CellMaker() = default;
    // Writes the cell of row (counted from 0 over the whole run) at at, which
    // has room for the column's longest cell and kSlack more; returns its end.
    virtual char* write(char* at, std::uint64_t row) = 0;
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
    // What the new kinds' cells are drawn from, shared by every worker.
    static constexpr std::size_t kWordSlot = 16;
    static constexpr std::size_t kMostWordSlots = std::size_t{1} << 16;
    struct Draws {
        const WordList* words = nullptr;
        // Each word in a slot of kWordSlot bytes, its length last, when all fit.
        std::string wordSlots{};
        std::int64_t millis = 0;
        std::shared_ptr<const DateColumn> date{};
        // One of: cumulative weights, and the weights' total.
        std::vector<std::uint64_t> through{};
        // A unique one of: each distinct value and its weight.
        std::vector<std::string> distinct{};
        std::vector<std::uint64_t> distinctWeights{};
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
    // Whether some cell may hold one of chars (ASCII); a page's kind may
    // answer yes when none can.
    bool mayHold(std::string_view chars) const;
    // Bytes a unique column keeps over the run.
    std::uint64_t memoryNeeded() const { return m_memory; }

  private:
    explicit RowColumn(const ColumnSettings& settings) : m_settings(settings) {}

    ColumnSettings m_settings;
    std::int64_t m_maxBytes = 0;
    BigCount m_count;
    double m_bits = 0;
    std::uint64_t m_memory = 0;

    Draws m_draws;
};

}  // namespace ovantis
