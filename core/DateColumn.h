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
    // Refusal when the settings cannot be used; then nothing else may be called.
    static Refusal check(const DateSettings& settings);
    explicit DateColumn(const DateSettings& checked);
    // Appends one cell (no separator), drawn from random.
    void appendCell(std::string& out, RandomSource& random) const;
    // The longest cell the format can print.
    std::int64_t maxCellBytes() const;
    // How many distinct cells the column can print, exactly.
    BigCount count() const;

    // The finest field a format prints, coarsest first; Once prints no time.
    enum class Unit { Once, Year, Month, Day, Hour, Minute, Second };

  private:
    struct Piece {
        char conversion = 0;  // 0 for text; ':' for %:z
        std::string text{};
    };
    static Refusal parseFormat(std::string_view format, std::vector<Piece>& pieces, Unit& finest);
    // Units are counted from an epoch of their own: local seconds, minutes,
    // hours or days since 1970, months since year 0, or the year itself.
    std::int64_t unitOf(std::int64_t local) const;
    std::int64_t startOf(std::int64_t unit) const;
    char* print(char* at, std::int64_t local) const;

    std::vector<Piece> m_pieces;
    Unit m_unit = Unit::Once;
    std::int64_t m_offset = 0;  // seconds ahead of UTC
    std::int64_t m_low = 0;     // local seconds since 1970
    std::int64_t m_firstUnit = 0;
    std::int64_t m_lastUnit = 0;
    std::int64_t m_maxBytes = 0;
};

}  // namespace ovantis
