#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "BigCount.h"
#include "DateSettings.h"
#include "RandomSource.h"
#include "Refusal.h"

namespace ovantis {

// Instants between two ends, read and printed on one fixed-offset zone's
// clock. Each cell is one draw among the units of the finest field the format
// prints, so every distinct text is equally likely.
class DateColumn {
  public:
    // A format that prints the same text at different instants (%d alone,
    // %H:%M) has its distinct texts found by walking its units; beyond this
    // many it is refused.
    static constexpr std::int64_t kMostWalked = std::int64_t{1} << 22;
    // Short cells of a column of few are printed once, into a table of at
    // most this many bytes, and copied.
    static constexpr std::size_t kMostPrinted = std::size_t{1} << 20;

    // Refusal when the settings cannot be used; then nothing else may be called.
    static Refusal check(const DateSettings& settings);
    explicit DateColumn(const DateSettings& checked) : DateColumn(checked, true) {}
    // Room a write may spoil past the cell it writes.
    static constexpr std::size_t kSlack = 32;

    // Appends one cell (no separator), drawn from random.
    void appendCell(std::string& out, RandomSource& random) const;
    // Writes a cell drawn from random, or distinct cell number index (below
    // size()), at at, which has room for the longest cell and kSlack more;
    // returns its end.
    char* write(char* at, RandomSource& random) const;
    char* write(char* at, std::uint64_t index) const;
    // How many distinct cells the column can print, exactly.
    std::uint64_t size() const;
    BigCount count() const { return BigCount(size()); }
    // The longest cell the format can print.
    std::int64_t maxCellBytes() const;
    // Whether some cell can hold one of chars (ASCII).
    bool mayHold(std::string_view chars) const;

    // The finest field a format prints, coarsest first; Once prints no time.
    enum class Unit { Once, Year, Month, Day, Hour, Minute, Second };

  private:
    struct Piece {
        char conversion = 0;  // 0 for text; ':' for %:z
        std::string text{};
    };
    DateColumn(const DateSettings& checked, bool walk);
    static Refusal parseFormat(std::string_view format, std::vector<Piece>& pieces, Unit& finest,
                               unsigned& fields);
    // Units are counted from an epoch of their own: local seconds, minutes,
    // hours or days since 1970, months since year 0, or the year itself.
    std::int64_t unitOf(std::int64_t local) const;
    std::int64_t startOf(std::int64_t unit) const;
    // The values of the fields the format prints, packed: equal exactly when
    // the texts are.
    std::uint64_t fieldsAt(std::int64_t local) const;
    // The local instant of distinct cell number index.
    std::int64_t instantOf(std::uint64_t index) const;
    char* print(char* at, std::int64_t local) const;

    std::vector<Piece> m_pieces;
    Unit m_unit = Unit::Once;
    unsigned m_fields = 0;
    std::int64_t m_offset = 0;  // seconds ahead of UTC
    std::int64_t m_low = 0;     // local seconds since 1970
    std::int64_t m_firstUnit = 0;
    std::int64_t m_lastUnit = 0;
    std::int64_t m_maxBytes = 0;
    // A repeating format: the units walked, and an instant for each distinct text.
    bool m_repeats = false;
    std::int64_t m_walkFirst = 0;
    std::int64_t m_walkLast = -1;
    std::vector<std::int64_t> m_cells{};
    RandomSource::Range m_range{};
    // Each cell printed in a slot of 16 or 32 bytes, its length last; or none.
    std::string m_slots{};
    std::size_t m_slot = 0;
};

}  // namespace ovantis
