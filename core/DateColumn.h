#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BigCount.h"
#include "DateSettings.h"
#include "RandomSource.h"
#include "Refusal.h"

namespace ovantis {

// Dates between two ends, each drawn uniformly over the distinct texts the
// format prints: one draw among the units of the finest field it prints.
class DateColumn {
  public:
    // Refusal when the settings cannot be used; then nothing else may be called.
    static Refusal check(const DateSettings& settings);
    explicit DateColumn(const DateSettings& checked);
    // Appends one cell drawn from random.
    void appendCell(std::string& out, RandomSource& random) const;
    std::int64_t maxCellBytes() const;
    // How many distinct cells the column prints.
    BigCount count() const;

    enum class Unit { Once, Year, Month, Day, Hour, Minute, Second };

  private:
    struct Piece {
        char conversion;  // 0 for text
        std::string text;
    };
    // Local seconds since 1970 of the unit numbered index, as counted by unitOf.
    std::int64_t startOf(std::int64_t index) const;
    std::int64_t unitOf(std::int64_t local) const;
    void print(std::string& out, std::int64_t local) const;

    std::vector<Piece> m_pieces;
    Unit m_unit = Unit::Once;
    int m_offset = 0;  // seconds ahead of UTC
    std::int64_t m_low = 0;
    std::int64_t m_high = 0;
    std::int64_t m_firstUnit = 0;
    std::int64_t m_lastUnit = 0;
};

}  // namespace ovantis
